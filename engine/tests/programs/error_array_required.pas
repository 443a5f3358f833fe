{ An index after an Integer. }
var
  i: Integer;
begin
  i[2] := 0;
end.
