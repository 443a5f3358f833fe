{ Assigning to a constant. }
const
  Limit = 2 * 3;
begin
  Limit := 1;
end.
