{ Procedures and functions: calls before the declaration, parameters by
  value and by reference, defaults, locals that keep their value, local
  initializers, nested scopes, recursion, and the default results. }
var
  a, b, total: Integer;
  name: String;

procedure CallsLater;
begin
  Later(5);
end;

procedure Later(x: Integer);
begin
  ShowMessage(x * 2);
end;

procedure Swap(var x, y: Integer);
var t: Integer;
begin
  t := x;
  x := y;
  y := t;
end;

procedure ByValue(x: Integer);
begin
  x := 99;
end;

function Greet(who: String = 'world'; times: Integer = 1): String;
var k: Integer;
begin
  Result := '';
  for k := 1 to times do Result := Result + 'hello ' + who + ' ';
end;

procedure Counter;
var calls: Integer;
    fresh: Integer = 100;
begin
  calls := calls + 1;
  fresh := fresh + 1;
  ShowMessage(calls * 1000 + fresh);
end;

function Outer(n: Integer): Integer;
var base: Integer;

  function Inner(m: Integer): Integer;
  begin
    Result := base + m;
  end;

begin
  base := 10;
  Result := Inner(n) + Inner(1);
end;

function Fact(k: Integer): Integer;
begin
  if k <= 1 then Result := 1 else Result := k * Fact(k - 1);
end;

function Fib(n: Integer): Integer;
begin
  if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2);
end;

{ A recursive procedure handing its own local to the inner call by reference. }
procedure CountDown(n: Integer; var steps: Integer);
var inner: Integer;
begin
  if n = 0 then
    steps := 0
  else begin
    CountDown(n - 1, inner);
    steps := inner + 1;
  end;
end;

function NoInt: Integer; begin end;
function NoString: String; begin end;
function NoBool: Boolean; begin end;
function NoVariant: Variant; begin end;

procedure Shadow;
var total: String;
begin
  total := 'local';
  ShowMessage(total);
end;

begin
  CallsLater;
  a := 1;
  b := 2;
  Swap(a, b);
  ShowMessage(a * 10 + b);
  ByValue(a);
  ShowMessage(a);
  Swap(a, b + 1);
  ShowMessage(a);
  ShowMessage(Greet);
  ShowMessage(Greet('you', 2));
  Counter;
  Counter;
  ShowMessage(Outer(5));
  ShowMessage(Fact(10));
  ShowMessage(Fib(15));
  CountDown(4, total);
  ShowMessage(total);
  ShowMessage(NoInt);
  ShowMessage(NoString = '');
  ShowMessage(NoBool);
  ShowMessage(NoVariant);
  total := 7;
  Shadow;
  ShowMessage(total);
end.
