{ Recursion without end fails cleanly. }
procedure Deeper(n: Integer);
begin
  Deeper(n + 1);
end;

begin
  Deeper(0);
end.
