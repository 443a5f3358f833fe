{ Ranges whose bounds are named constants: array bounds and case labels. }
const
  Low = 1;
  High = 3;
var
  a: array[Low..High] of Integer;
  i, sum: Integer;

begin
  for i := Low to High do a[i] := i * 10;
  sum := 0;
  for i := Low to High do sum := sum + a[i];
  ShowMessage(sum);
  for i := 0 to 4 do
    case i of
      Low..High: ShowMessage(IntToStr(i) + ' within');
    else
      ShowMessage(IntToStr(i) + ' outside');
    end;
end.
