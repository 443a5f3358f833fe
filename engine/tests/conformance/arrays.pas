program arrays;
{$I fpc_prelude.inc}
var
  a: array[1..8] of Integer;
  grid: array[0..2, 0..3] of Integer;
  names: array[0..3] of String;
  values: array[1..5] of Double;
  i, j, t, total: Integer;
  swapped: Boolean;
  s: String;
  sum: Double;
begin
  a[1] := 5; a[2] := 3; a[3] := 8; a[4] := 1; a[5] := 9; a[6] := 2; a[7] := 7; a[8] := 4;
  repeat
    swapped := False;
    for i := 1 to 7 do
      if a[i] > a[i + 1] then
      begin
        t := a[i];
        a[i] := a[i + 1];
        a[i + 1] := t;
        swapped := True;
      end;
  until not swapped;
  s := '';
  for i := 1 to 8 do
    s := s + IntToStr(a[i]) + ' ';
  ShowMessage(s);
  for i := 0 to 2 do
    for j := 0 to 3 do
      grid[i, j] := i * 10 + j;
  total := 0;
  for i := 0 to 2 do
    for j := 0 to 3 do
      total := total + grid[i, j];
  ShowMessage(IntToStr(total) + ' ' + IntToStr(grid[2, 3]) + ' ' + IntToStr(grid[1, 0]));
  names[0] := 'flaps';
  names[1] := 'gear';
  names[2] := 'spoilers';
  names[3] := 'trim';
  s := '';
  for i := 3 downto 0 do
    s := s + names[i] + ',';
  ShowMessage(s);
  ShowMessage(IntToStr(Length(names[2])) + ' ' + names[1][1]);
  for i := 1 to 5 do
    values[i] := i / 4;
  sum := 0;
  for i := 1 to 5 do
    sum := sum + values[i];
  ShowMessage(FloatToStr(sum) + ' ' + FloatToStr(values[3]));
  a[a[3]] := 100;
  ShowMessage(IntToStr(a[3]) + ' ' + IntToStr(a[a[2]]));
  i := 2;
  a[i * 2] := a[i] + a[i + 1];
  ShowMessage(IntToStr(a[4]));
end.
