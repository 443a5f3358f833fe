{ Assigning a float expression to an Integer variable. }
var
  i: Integer;
begin
  i := 7 / 2;
end.
