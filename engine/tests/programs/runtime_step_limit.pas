// veltran script run --max-steps 1000 {FILE}
{ A loop without end stops at the step limit. }
var
  i: Integer;
begin
  while True do
    i := i + 1;
end.
