{ TRY ... EXCEPT and TRY ... FINALLY: what is caught, what the EXCEPT part
  reads, FINALLY parts on EXIT and BREAK, errors raised inside handlers. }
var
  i, zero: Integer;
  v: Variant;

procedure LeaveEarly;
begin
  try
    ShowMessage('protected');
    exit;
    ShowMessage('never');
  finally
    ShowMessage('finally after exit');
  end;
  ShowMessage('never either');
end;

procedure Fails;
begin
  v := 'abc';
  i := v;
end;

begin
  zero := 0;
  try
    i := 10 div zero;
    ShowMessage('never');
  except
    ShowMessage(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Fails;
  except
    ShowMessage(ExceptionMessage);
  end;
  try
    ShowMessage(1 / zero);
  except
    ShowMessage(ExceptionClassName);
  end;
  LeaveEarly;
  for i := 1 to 3 do
    try
      if i = 2 then break;
      ShowMessage(i);
    finally
      ShowMessage('finally ' + ExceptionClassName);
      ShowMessage('second statement of finally');
    end;
  ShowMessage(i);
  try
    try
      i := 1 div zero;
    finally
      ShowMessage('inner finally runs first');
    end;
  except
    ShowMessage('outer except: ' + ExceptionMessage);
  end;
  try
    try
      i := 1 div zero;
    except
      v := 'x';
      i := v;
    end;
  except
    ShowMessage('raised in except: ' + ExceptionClassName);
  end;
  i := 1 div zero;
  ShowMessage('never');
end.
