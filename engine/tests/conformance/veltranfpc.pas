{ What the conformance programs need from Free Pascal to mean what they mean
  to the script engine: ShowMessage as one line on standard output, the
  engine's RaiseException and exception variables, and the engine's fixed
  regional settings. }
unit veltranfpc;

{$mode delphi}{$H+}

interface

uses SysUtils, Variants;

procedure ShowMessage(const Msg: Variant);
procedure RaiseException(const Param: string);
function ExceptionMessage: string;
function ExceptionClassName: string;

implementation

procedure ShowMessage(const Msg: Variant);
begin
  WriteLn(VarToStr(Msg));
end;

procedure RaiseException(const Param: string);
begin
  raise Exception.Create(Param);
end;

function ExceptionMessage: string;
begin
  if ExceptObject is Exception then
    Result := Exception(ExceptObject).Message
  else
    Result := '';
end;

function ExceptionClassName: string;
begin
  if ExceptObject <> nil then
    Result := ExceptObject.ClassName
  else
    Result := '';
end;

initialization
  with DefaultFormatSettings do
  begin
    DecimalSeparator := '.';
    ThousandSeparator := ',';
    DateSeparator := '/';
    TimeSeparator := ':';
    ShortDateFormat := 'dd/mm/yyyy';
    LongDateFormat := 'dddd, d mmmm yyyy';
    ShortTimeFormat := 'hh:nn';
    LongTimeFormat := 'hh:nn:ss';
    TimeAMString := 'AM';
    TimePMString := 'PM';
    CurrencyString := '$';
    CurrencyFormat := 0;
    NegCurrFormat := 1;
    CurrencyDecimals := 2;
  end;
end.
