program recursion;
{$I fpc_prelude.inc}
var
  i, a, b, moves: Integer;
  s: String;

function Factorial(n: Integer): Integer;
begin
  if n <= 1 then
    Result := 1
  else
    Result := n * Factorial(n - 1);
end;

function Fib(n: Integer): Integer;
begin
  if n < 2 then
    Result := n
  else
    Result := Fib(n - 1) + Fib(n - 2);
end;

function Gcd(a, b: Integer): Integer;
begin
  if b = 0 then
    Result := a
  else
    Result := Gcd(b, a mod b);
end;

function Ackermann(m, n: Integer): Integer;
begin
  if m = 0 then
    Result := n + 1
  else if n = 0 then
    Result := Ackermann(m - 1, 1)
  else
    Result := Ackermann(m - 1, Ackermann(m, n - 1));
end;

procedure Hanoi(n: Integer; var count: Integer);
begin
  if n > 0 then
  begin
    Hanoi(n - 1, count);
    count := count + 1;
    Hanoi(n - 1, count);
  end;
end;

procedure Swap(var x, y: Integer);
var t: Integer;
begin
  t := x;
  x := y;
  y := t;
end;

procedure Accumulate(var total: Integer; n: Integer);
begin
  total := total + n;
end;

function Reverse(s: String): String;
begin
  if Length(s) <= 1 then
    Result := s
  else
    Result := Reverse(Copy(s, 2, Length(s) - 1)) + s[1];
end;

function Power(base: Double; e: Integer): Double;
begin
  if e = 0 then
    Result := 1
  else
    Result := base * Power(base, e - 1);
end;

function IsEven(n: Integer): Boolean;
begin
  if n = 0 then Result := True else Result := not IsEven(n - 1);
end;

begin
  ShowMessage(IntToStr(Factorial(10)) + ' ' + IntToStr(Factorial(1)));
  s := '';
  for i := 0 to 15 do
    s := s + IntToStr(Fib(i)) + ' ';
  ShowMessage(s);
  ShowMessage(IntToStr(Gcd(1071, 462)) + ' ' + IntToStr(Gcd(17, 5)));
  ShowMessage(IntToStr(Ackermann(2, 3)));
  moves := 0;
  Hanoi(10, moves);
  ShowMessage(IntToStr(moves));
  a := 1;
  b := 2;
  Swap(a, b);
  ShowMessage(IntToStr(a) + ' ' + IntToStr(b));
  a := 0;
  for i := 1 to 10 do
    Accumulate(a, i);
  ShowMessage(IntToStr(a));
  ShowMessage(Reverse('cockpit'));
  ShowMessage(FloatToStr(Power(2, 10)) + ' ' + FloatToStr(Power(1.5, 3)));
  ShowMessage(BoolToStr(IsEven(10)) + ' ' + BoolToStr(IsEven(7)));
end.
