{ An operator whose operand types do not fit. }
var
  i: Integer;
begin
  i := 1 + 'a';
end.
