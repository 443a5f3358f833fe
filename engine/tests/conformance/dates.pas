program dates;
{$I fpc_prelude.inc}
var
  d, t: TDateTime;
  y, m, dd, h, n, s, ms: Word;
begin
  d := EncodeDate(2024, 2, 29);
  ShowMessage(FloatToStr(d) + ' ' + FloatToStr(EncodeDate(1899, 12, 30)) + ' ' + FloatToStr(EncodeDate(2000, 1, 1)));
  t := EncodeTime(13, 5, 7, 9);
  DecodeDate(d, y, m, dd);
  DecodeTime(t, h, n, s, ms);
  ShowMessage(Format('%d-%d-%d %d:%d:%d.%d', [y, m, dd, h, n, s, ms]));
  ShowMessage(FloatToStr(EncodeTime(12, 0, 0, 0)) + ' ' + FloatToStr(EncodeTime(18, 0, 0, 0)));
  ShowMessage(IntToStr(DayOfWeek(d)) + ' ' + IntToStr(DayOfWeek(EncodeDate(2024, 2, 25))) + ' ' + IntToStr(DayOfWeek(EncodeDate(1899, 12, 30))));
  ShowMessage(BoolToStr(IsLeapYear(2024)) + ' ' + BoolToStr(IsLeapYear(1900)) + ' ' + BoolToStr(IsLeapYear(2000)) + ' ' + BoolToStr(IsLeapYear(2023)));
  ShowMessage(DateToStr(d) + ' ' + TimeToStr(t) + ' ' + DateTimeToStr(d + t));
  ShowMessage(DateTimeToStr(d));
  ShowMessage(FormatDateTime('dd/mm/yyyy hh:nn:ss.zzz', d + t));
  ShowMessage(FormatDateTime('d/m/yy h:n:s z', d + t));
  ShowMessage(FormatDateTime('ddd dddd mmm mmmm', d));
  ShowMessage(FormatDateTime('dddddd', d));
  ShowMessage(FormatDateTime('ddddd t tt', d + t));
  ShowMessage(FormatDateTime('hh:mm', d + t));
  ShowMessage(FormatDateTime('hh:nn am/pm', d + t) + ' ' + FormatDateTime('h AM/PM', EncodeTime(6, 0, 0, 0)) + ' ' + FormatDateTime('h a/p', EncodeTime(0, 0, 0, 0)));
  ShowMessage(FormatDateTime('"Day" d "of" mmmm', d));
  ShowMessage(FormatDateTime('yyyy-mm-dd', d + 1) + ' ' + FormatDateTime('yyyy-mm-dd', d - 60));
  ShowMessage(FloatToStr(StrToDate('29/02/2024')) + ' ' + FloatToStr(StrToDate('1/2/2003')));
  ShowMessage(FloatToStr(StrToTime('18:00')) + ' ' + FloatToStr(StrToTime('06:00:00')));
  ShowMessage(FloatToStr(StrToDateTime('29/02/2024 12:00:00')));
  ShowMessage(FloatToStr(Int(d + t)) + ' ' + FloatToStr(Frac(EncodeTime(6, 0, 0, 0))));
end.
