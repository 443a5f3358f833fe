// veltran script call {FILE} Report 7
{ Calling a procedure: it shows what it is given and returns no result. }
procedure Report(value: Integer);
begin
  ShowMessage(value + 1);
end;

begin
  ShowMessage('main block');
end.
