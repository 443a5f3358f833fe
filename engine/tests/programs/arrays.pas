{ Array variables: sizes and bounds, several dimensions, elements of any
  kind, an index outside the bounds. }
var
  a: array[3] of Integer;
  m: array[1..3, 0..1] of String;
  d: array of Variant;
  v: Variant;
  text: String;
  i, j, sum: Integer;

begin
  for i := 0 to 2 do a[i] := i * i;
  sum := 0;
  for i := 0 to 2 do sum := sum + a[i];
  ShowMessage(sum);
  ShowMessage(a[1] + a[2]);
  for i := 1 to 3 do
    for j := 0 to 1 do begin
      v := i * 10 + j;
      text := v;
      m[i, j] := 'm' + text;
    end;
  ShowMessage(m[3, 1]);
  ShowMessage(m[1, 0]);
  d[0] := 'only';
  ShowMessage(d[0]);
  v := a;
  ShowMessage(v[2]);
  v[2] := 40;
  ShowMessage(a[2]);
  ShowMessage(v[2]);
  ShowMessage(a[3]);
end.
