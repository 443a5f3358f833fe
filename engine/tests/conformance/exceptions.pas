program exceptions;
{$I fpc_prelude.inc}
var
  i, zero: Integer;
  s: String;

procedure Risky(n: Integer);
begin
  if n > 2 then RaiseException('too big: ' + IntToStr(n));
  ShowMessage('ok ' + IntToStr(n));
end;

function SafeDiv(a, b: Integer): Integer;
begin
  try
    Result := a div b;
  except
    Result := 0;
  end;
end;

procedure Cleanup;
begin
  try
    ShowMessage('working');
    Exit;
  finally
    ShowMessage('cleanup runs');
  end;
  ShowMessage('never');
end;

begin
  try
    RaiseException('boom');
    ShowMessage('not reached');
  except
    ShowMessage(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  for i := 1 to 4 do
    try
      Risky(i);
    except
      ShowMessage('caught ' + ExceptionMessage);
    end;
  try
    try
      ShowMessage('inner');
      RaiseException('from inner');
    finally
      ShowMessage('inner finally');
    end;
  except
    ShowMessage('outer caught ' + ExceptionMessage);
  end;
  try
    try
      RaiseException('first');
    except
      ShowMessage('handled ' + ExceptionMessage);
      RaiseException('second');
    end;
  except
    ShowMessage('then ' + ExceptionMessage);
  end;
  zero := 0;
  ShowMessage(IntToStr(SafeDiv(10, 2)) + ' ' + IntToStr(SafeDiv(1, zero)));
  try
    i := 10 div zero;
  except
    ShowMessage(ExceptionClassName);
  end;
  try
    i := StrToInt('12x');
  except
    ShowMessage(ExceptionClassName);
  end;
  try
    s := IntToStr(StrToInt('7'));
    ShowMessage('converted ' + s);
  finally
    ShowMessage('finally without error');
  end;
  Cleanup;
  ShowMessage('end');
end.
