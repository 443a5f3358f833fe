{ An error at run time names the statement that was running. }
var
  zero: Integer;

procedure Divide;
begin
  ShowMessage(10 div zero);
end;

begin
  ShowMessage(1);
  Divide;
end.
