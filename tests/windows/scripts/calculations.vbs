' A table of calculations through the late-bound interface.
Option Explicit
Dim failures, passed
failures = 0
passed = 0

' value, rate, rateType, taxType, roundType, roundDigit, price, tax, total
Dim rows
rows = Array( _
  Array(1000, 5, 1, 1, 0, 0, 1000, 50, 1050), _
  Array(1050, 5, 1, 0, 0, 0, 1000, 50, 1050), _
  Array(1000, 5, 1, 0, 1, 0, 952, 48, 1000), _
  Array(1000, 5, 1, 0, 1, 1, 950, 50, 1000), _
  Array(1000, 5, 1, 0, 1, -1, 952.4, 47.6, 1000), _
  Array(1000, 5, 1, 0, 1, -2, 952.38, 47.62, 1000), _
  Array(1000, 5, 1, 0, 2, 0, 953, 48, 1000), _
  Array(1000, 5, 1, 0, 2, 1, 960, 50, 1000), _
  Array(1000, 5, 1, 0, 2, -1, 952.4, 47.7, 1000), _
  Array(1000, 5, 1, 0, 2, -2, 952.39, 47.62, 1000), _
  Array(1000, 5, 1, 0, 3, 0, 952, 47, 1000), _
  Array(1000, 5, 1, 0, 3, 1, 950, 40, 1000), _
  Array(1000, 5, 1, 0, 3, -1, 952.3, 47.6, 1000), _
  Array(1000, 5, 1, 0, 3, -2, 952.38, 47.61, 1000), _
  Array(-1000, 5, 1, 0, 2, 0, -953, -48, -1000), _
  Array(-1000, 5, 1, 0, 3, 1, -950, -40, -1000), _
  Array(1980, 10, 1, 0, 3, 0, 1799, 180, 1980), _
  Array(1234.5, 5, 1, 1, 1, 0, 1235, 62, 1296), _
  Array(1234.5, 5, 1, 1, 1, -1, 1234.5, 61.7, 1296.2), _
  Array(1234.5, 5, 1, 1, 3, 0, 1234, 61, 1296), _
  Array(1234.5, 5, 1, 1, 2, 2, 1300, 100, 1300), _
  Array(1234.5, 5, 1, 1, 1, 15, 0, 0, 0), _
  Array(200, 0.08, 0, 1, 0, 0, 200, 16, 216), _
  Array(1000, 0, 1, 1, 0, 0, 1000, 0, 1000), _
  Array(1E15, 5, 1, 1, 0, 0, 1E15, 0, 1.05E15), _
  Array(960000000000000, 5, 1, 1, 0, 0, 960000000000000, -960000000000000, 1008000000000000))

Dim r, o, result, i
i = 0
For Each r In rows
  Set o = CreateObject("Kel.Zorvan6")
  o.Value = r(0)
  o.TaxRate = r(1)
  o.RateType = r(2)
  o.TaxType = r(3)
  o.RoundType = r(4)
  o.RoundDigit = r(5)
  result = o.TaxCalc
  If result = True And o.Price = r(6) And o.Tax = r(7) And o.Total = r(8) Then
    passed = passed + 1
  Else
    failures = failures + 1
    WScript.Echo "FAIL row " & i & ": TaxCalc " & result & ", Price " & o.Price & ", Tax " & o.Tax & _
                 ", Total " & o.Total
  End If
  i = i + 1
Next

' A second TaxCalc with the same inputs gives the same results; setting an
' input leaves the results alone.
Set o = CreateObject("Kel.Zorvan6")
o.Value = 1000: o.TaxRate = 5: o.TaxType = 0
o.TaxCalc
Dim firstTax
firstTax = o.Tax
o.TaxCalc
o.Value = 5
If o.Tax = firstTax And o.Total = 1000 Then passed = passed + 1 Else failures = failures + 1: WScript.Echo "FAIL repeat"

WScript.Echo passed & " passed, " & failures & " failed"
WScript.Quit failures
