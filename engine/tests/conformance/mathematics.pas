program mathematics;
{$I fpc_prelude.inc}
var
  x: Double;
  i: Integer;
  s: String;
begin
  x := 2.5;
  ShowMessage(IntToStr(Round(x)) + ' ' + IntToStr(Round(3.5)) + ' ' + IntToStr(Round(-2.5)) + ' ' + IntToStr(Round(-3.5)) + ' ' + IntToStr(Round(2.4999)));
  x := -2.7;
  ShowMessage(IntToStr(Trunc(x)) + ' ' + IntToStr(Trunc(2.7)) + ' ' + FloatToStr(Int(x)) + ' ' + FloatToStr(Int(2.7)));
  x := 2.75;
  ShowMessage(FloatToStr(Frac(x)) + ' ' + FloatToStr(Frac(-x)));
  ShowMessage(FloatToStr(Sqrt(16)) + ' ' + FloatToStr(Sqrt(2)));
  x := -3;
  ShowMessage(FloatToStr(Abs(x)) + ' ' + FloatToStr(Abs(2.5)));
  ShowMessage(FloatToStr(Pi));
  ShowMessage(FloatToStr(Sin(Pi / 2)) + ' ' + FloatToStr(Cos(0)) + ' ' + FloatToStr(Sin(0)));
  ShowMessage(FloatToStr(ArcTan(1) * 4));
  ShowMessage(FloatToStr(Exp(1)) + ' ' + FloatToStr(Exp(0)));
  ShowMessage(FloatToStr(Ln(Exp(2))) + ' ' + FloatToStr(Ln(1)));
  ShowMessage(Format('%.6f %.6f %.6f', [Sin(1), Cos(1), ArcTan(0.5)]));
  s := '';
  for i := 0 to 8 do
    s := s + IntToStr(Round(i / 2)) + ' ';
  ShowMessage(s);
  s := '';
  for i := 1 to 6 do
    s := s + Format('%.4f ', [Sqrt(i)]);
  ShowMessage(s);
  x := 0;
  for i := 1 to 100 do
    x := x + 1 / i;
  ShowMessage(FloatToStr(x));
  x := 1;
  for i := 1 to 20 do
    x := x * 2;
  ShowMessage(FloatToStr(x));
  try
    x := -1;
    x := Sqrt(x);
    ShowMessage('no error');
  except
    ShowMessage(ExceptionClassName);
  end;
  try
    x := 0;
    x := Ln(x);
    ShowMessage('no error');
  except
    ShowMessage(ExceptionClassName);
  end;
end.
