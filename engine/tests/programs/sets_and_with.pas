{ Set constructors with IN, addresses of procedures, and WITH. }
var
  i: Integer;
  c: String;
  v, set_value: Variant;
  found: String;

procedure Handler;
begin
end;

begin
  for i := 0 to 6 do
    if i in [1, 3..5] then found := found + 'y' else found := found + 'n';
  ShowMessage(found);
  c := 'c';
  ShowMessage(c in ['a'..'f']);
  ShowMessage('z' in ['a'..'f', 'x']);
  set_value := [2, 4];
  ShowMessage(4 in set_value);
  ShowMessage(@Handler);
  v := 5;
  with v do ShowMessage('WITH on a Variant compiles');
  with v do Size := 1;
end.
