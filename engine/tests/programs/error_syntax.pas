{ A syntax error from the grammar walk. }
var
  i: Integer;
begin
  i := 1
  i := 2;
end.
