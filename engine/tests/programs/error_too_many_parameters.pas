{ A call with one argument too many. }
procedure One(a: Integer);
begin
end;

begin
  One(1, 2);
end.
