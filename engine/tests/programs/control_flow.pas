{ IF, CASE, WHILE, REPEAT and FOR with BREAK, CONTINUE and EXIT. }
var
  i, j, n: Integer;
  f: Double;
  s: String;

procedure FirstOver(limit: Integer);
var k: Integer;
begin
  for k := 1 to 100 do
    if k * k > limit then begin
      ShowMessage(k);
      exit;
    end;
  ShowMessage('never');
end;

procedure Classify(x: Integer);
begin
  case x of
    1, 3..5: ShowMessage('one, or three to five');
    2: ;
    4: ShowMessage('four is taken first by 3..5');
  else
    ShowMessage('something else');
  end;
end;

procedure Letter(c: String);
begin
  case c of
    'a'..'f': ShowMessage('a to f');
    'x', 'y': ShowMessage('x or y');
  end;
end;

begin
  if 1 > 2 then ShowMessage('no') else ShowMessage('else branch');
  if True then if False then ShowMessage('no') else ShowMessage('inner else');

  Classify(1);
  Classify(4);
  Classify(2);
  Classify(9);
  Letter('c');
  Letter('y');
  Letter('z');

  n := 0;
  for i := 1 to 10 do begin
    if i mod 2 = 0 then continue;
    if i > 7 then break;
    n := n + i;
  end;
  ShowMessage(n);
  ShowMessage(i);

  for i := 1 to 3 do begin
    i := 10;
    n := n + 1;
  end;
  ShowMessage(n);
  for i := 5 to 1 do ShowMessage('never');
  for i := 3 downto 1 do s := s + 'x';
  ShowMessage(s);
  ShowMessage(i);
  for f := 1 to 2 do ShowMessage(f);

  n := 0;
  while n < 100 do begin
    n := n + 1;
    if n = 3 then break;
  end;
  ShowMessage(n);

  n := 0;
  j := 0;
  repeat
    n := n + 1;
    if n < 3 then continue;
    j := j + 1;
  until n >= 5;
  ShowMessage(n);
  ShowMessage(j);

  for i := 1 to 3 do
    for j := 1 to 3 do begin
      if j = 2 then break;
      ShowMessage(i * 10 + j);
    end;

  FirstOver(50);
end.
