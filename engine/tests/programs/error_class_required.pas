{ WITH on an Integer. }
var
  i: Integer;
begin
  with i do ShowMessage(1);
end.
