' The tax object from VBScript, late bound, as script hosts use it.
Option Explicit
Dim failures, passed
failures = 0
passed = 0

Sub Check(name, actual, expected)
  If actual = expected And VarType(actual) <> vbEmpty Then
    passed = passed + 1
  Else
    failures = failures + 1
    WScript.Echo "FAIL " & name & ": expected " & expected & ", got " & actual
  End If
End Sub

Function GetProp(o, prop)
  Select Case prop
    Case "Value": GetProp = o.Value
    Case "TaxRate": GetProp = o.TaxRate
    Case "RateType": GetProp = o.RateType
    Case "TaxType": GetProp = o.TaxType
    Case "RoundType": GetProp = o.RoundType
    Case "RoundDigit": GetProp = o.RoundDigit
  End Select
End Function

' Writes a value and returns the error number (0 when accepted).
Function TryPut(o, prop, value)
  On Error Resume Next
  Select Case prop
    Case "Value": o.Value = value
    Case "TaxRate": o.TaxRate = value
    Case "RateType": o.RateType = value
    Case "TaxType": o.TaxType = value
    Case "RoundType": o.RoundType = value
    Case "RoundDigit": o.RoundDigit = value
  End Select
  TryPut = Err.Number
  Err.Clear
End Function

' A value that must be refused with error 380 and leave the property alone.
Sub CheckRejected(o, prop, value)
  Dim before
  before = GetProp(o, prop)
  Check prop & " = " & value & " error", TryPut(o, prop, value), 380
  Check prop & " unchanged", GetProp(o, prop), before
End Sub

Dim o, v
For Each v In Array("Kel.Zorvan6", "Kel.Zorvan6.6")
  Set o = CreateObject(v)
  Check v & " Value", o.Value, 0
  Check v & " TaxRate", o.TaxRate, 0
  Check v & " RateType", o.RateType, 1
  Check v & " TaxType", o.TaxType, 1
  Check v & " RoundType", o.RoundType, 0
  Check v & " RoundDigit", o.RoundDigit, 0
  Check v & " Price", o.Price, 0
  Check v & " Tax", o.Tax, 0
  Check v & " Total", o.Total, 0
  Check v & " Version", o.Version, "6.0.2.3"
Next

' Value is the default property.
Set o = CreateObject("Kel.Zorvan6")
o.Value = 1000
Dim x
x = o
Check "default property read", x, 1000
Check "default property in an expression", o + 1, 1001

o.Value = 1E15
Check "Value accepts 1e15", o.Value, 1E15
o.Value = -1E15
Check "Value accepts -1e15", o.Value, -1E15
CheckRejected o, "Value", 1000000000000000.2
CheckRejected o, "Value", -1000000000000000.2
o.TaxRate = 32767
Check "TaxRate accepts 32767", o.TaxRate, 32767
CheckRejected o, "TaxRate", -1
CheckRejected o, "TaxRate", 32767.00001
CheckRejected o, "RateType", 2
CheckRejected o, "RateType", -1
CheckRejected o, "TaxType", 2
CheckRejected o, "TaxType", -1
CheckRejected o, "RoundType", 4
CheckRejected o, "RoundType", -1
CheckRejected o, "RoundDigit", 16
CheckRejected o, "RoundDigit", -16
o.RoundDigit = -15
Check "RoundDigit accepts -15", o.RoundDigit, -15

WScript.Echo passed & " passed, " & failures & " failed"
WScript.Quit failures
