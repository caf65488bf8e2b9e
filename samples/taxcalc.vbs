' A small tax calculator on the Kel.Zorvan6 object.
'
'   cscript taxcalc.vbs /value:1000 /rate:5 /taxtype:pre /round:half /digit:-2
'   cscript taxcalc.vbs            (a table of worked examples)
'
' Options: /value:<amount> /rate:<per cent> /ratetype:percentage|normal
'          /taxtype:pre|after /round:none|half|up|down /digit:<-15..15>
Option Explicit

Sub Usage(message)
  WScript.Echo "taxcalc: " & message
  WScript.Echo "usage: cscript taxcalc.vbs [/value:N] [/rate:N] [/ratetype:percentage|normal]"
  WScript.Echo "                           [/taxtype:pre|after] [/round:none|half|up|down] [/digit:N]"
  WScript.Quit 2
End Sub

' The index of word in the list, or -1.
Function IndexOf(word, list)
  Dim i
  IndexOf = -1
  For i = 0 To UBound(list)
    If LCase(word) = list(i) Then IndexOf = i
  Next
End Function

' Numbers are read with '.' as the decimal point whatever the locale: the
' digits as one whole number divided once by an exact power of ten.
Function ToNumber(name, text)
  Dim sign, body, whole, fraction, dot, i, c, scale
  sign = 1: body = text
  If Left(body, 1) = "-" Then sign = -1: body = Mid(body, 2)
  dot = InStr(body, ".")
  If Len(body) = 0 Or dot = 1 And Len(body) = 1 Then Usage "bad " & name & ": " & text
  For i = 1 To Len(body)
    c = Mid(body, i, 1)
    If (c < "0" Or c > "9") And i <> dot Then Usage "bad " & name & ": " & text
  Next
  If dot = 0 Then
    ToNumber = sign * CDbl(body)
  Else
    whole = Left(body, dot - 1): fraction = Mid(body, dot + 1)
    scale = 1
    For i = 1 To Len(fraction)
      scale = scale * 10
    Next
    ToNumber = sign * (CDbl("0" & whole & fraction) / scale)
  End If
End Function

Function Pad(text, width)
  Pad = text & Space(width - Len(text))
End Function

Sub Calculate(value, rate, rateType, taxType, roundType, digit)
  Dim o
  Set o = CreateObject("Kel.Zorvan6")
  On Error Resume Next
  o.Value = value
  If Err.Number <> 0 Then Usage "Value " & value & " is out of range"
  o.TaxRate = rate
  If Err.Number <> 0 Then Usage "TaxRate " & rate & " is out of range"
  o.RoundDigit = digit
  If Err.Number <> 0 Then Usage "RoundDigit " & digit & " is out of range"
  On Error GoTo 0
  o.RateType = rateType
  o.TaxType = taxType
  o.RoundType = roundType
  o.TaxCalc
  WScript.Echo "Price: " & o.Price
  WScript.Echo "Tax:   " & o.Tax
  WScript.Echo "Total: " & o.Total
End Sub

Dim value, rate, rateType, taxType, roundType, digit
value = 0: rate = 0: rateType = 1: taxType = 1: roundType = 0: digit = 0

If WScript.Arguments.Count = 0 Then
  Dim examples, e, o
  ' value, rate, taxType, roundType, digit, description
  examples = Array( _
    Array(1000, 5, 1, 0, 0, "1000 before 5% tax"), _
    Array(1000, 5, 0, 0, 0, "1000 including 5% tax"), _
    Array(1000, 5, 0, 1, -2, "the same, to the cent"), _
    Array(1000, 5, 0, 2, 0, "the same, rounded up to units"), _
    Array(1000, 5, 0, 3, 1, "the same, rounded down to tens"), _
    Array(1980, 10, 0, 3, 0, "1980 including 10% tax, rounded down"))
  WScript.Echo Pad("Price", 18) & Pad("Tax", 16) & Pad("Total", 8) & "Example"
  For Each e In examples
    Set o = CreateObject("Kel.Zorvan6")
    o.Value = e(0): o.TaxRate = e(1): o.TaxType = e(2): o.RoundType = e(3): o.RoundDigit = e(4)
    o.TaxCalc
    WScript.Echo Pad(o.Price, 18) & Pad(o.Tax, 16) & Pad(o.Total, 8) & e(5)
  Next
  WScript.Quit 0
End If

Dim i, arg, colon, name, text
For i = 0 To WScript.Arguments.Count - 1
  arg = WScript.Arguments(i)
  colon = InStr(arg, ":")
  If Left(arg, 1) <> "/" Or colon = 0 Then Usage "unexpected argument " & arg
  name = LCase(Mid(arg, 2, colon - 2))
  text = Mid(arg, colon + 1)
  Select Case name
    Case "value": value = ToNumber(name, text)
    Case "rate": rate = ToNumber(name, text)
    Case "digit": digit = ToNumber(name, text)
      If digit <> Fix(digit) Or Abs(digit) > 15 Then Usage "digit must be a whole number from -15 to 15"
    Case "ratetype": rateType = IndexOf(text, Array("normal", "percentage"))
      If rateType < 0 Then Usage "ratetype must be percentage or normal"
    Case "taxtype": taxType = IndexOf(text, Array("pre", "after"))
      If taxType < 0 Then Usage "taxtype must be pre or after"
    Case "round": roundType = IndexOf(text, Array("none", "half", "up", "down"))
      If roundType < 0 Then Usage "round must be none, half, up or down"
    Case Else: Usage "unknown option /" & name
  End Select
Next
Calculate value, rate, rateType, taxType, roundType, digit
