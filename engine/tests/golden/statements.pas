begin
  x := 1;
  Reset;
  Update(sn, total);
  if x > 1 then
    y := 2
  else
    y := 3;
  if done then ;
  case x of
    1, 2: a := 1;
    3..5: begin end;
    6: ;
  else
    a := 0
  end;
  case y of 1: a end;
  repeat
    x := x - 1;
    if x = 3 then continue;
    if x = 2 then break
  until x = 0;
  while x < 10 do x := x + 1;
  while False do;
  for i := 1 to 10 do Total := Total + i;
  for i := 10 downto 1 do ;
  try
    Risky
  finally
    Cleanup
  end;
  try Risky except Log('failed'); exit end;
  with Board, Display do Value := 1;
  ;
end.
