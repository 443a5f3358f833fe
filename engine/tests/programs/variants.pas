{ Variant values and their conversions: numeric text, Booleans, Null,
  Int64, float to integer rounding, and kinds converted on assignment. }
var
  v, w: Variant;
  i: Integer;
  big: Int64;
  f: Double;
  s: String;
  b: Boolean;

begin
  v := '12';
  ShowMessage(v + 3);
  ShowMessage(v + '3');
  ShowMessage(v = 12);
  ShowMessage(v > 9);
  v := 2.5;
  i := v;
  ShowMessage(i);
  v := 3.5;
  i := v;
  ShowMessage(i);
  v := 2.7;
  i := v;
  ShowMessage(i);
  v := 'True';
  b := v;
  ShowMessage(b);
  if v then ShowMessage('True converts to a Boolean');
  v := 42;
  s := v;
  ShowMessage(s + '!');
  v := ' 17 ';
  i := v;
  ShowMessage(i + 1);
  v := '$1F';
  i := v;
  ShowMessage(i);
  v := Null;
  w := v + 1;
  ShowMessage(w = Null);
  ShowMessage(v = Null);
  big := 3000000000;
  ShowMessage(big * 2);
  v := big;
  ShowMessage(v + 1);
  f := 7;
  ShowMessage(f / 2);
  v := True;
  ShowMessage(v + 1);
  v := 1;
  w := 'abc';
  ShowMessage(w + 'def');
end.
