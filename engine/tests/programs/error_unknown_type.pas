{ A type that is not registered. }
var
  board: TBoard;
begin
end.
