// The tax object from JScript: creation, properties, errors and a table.
var failures = 0, passed = 0;
function check(name, actual, expected) {
  if (actual === expected) { passed++; }
  else { failures++; WScript.Echo("FAIL " + name + ": expected " + expected + ", got " + actual); }
}

var progIds = ["Kel.Zorvan6", "Kel.Zorvan6.6"];
for (var p = 0; p < progIds.length; p++) {
  var o = new ActiveXObject(progIds[p]);
  check(progIds[p] + " RateType", o.RateType, 1);
  check(progIds[p] + " Version", o.Version, "6.0.2.3");
}

var o = new ActiveXObject("Kel.Zorvan6");
var rejected = [["Value", 2e15], ["TaxRate", -0.5], ["RateType", 3], ["TaxType", 5],
                ["RoundType", 7], ["RoundDigit", -20]];
for (var i = 0; i < rejected.length; i++) {
  var name = rejected[i][0], before = o[name], number = 0;
  try { o[name] = rejected[i][1]; } catch (e) { number = e.number; }
  check(name + " rejected", number & 0xFFFF, 380);
  check(name + " unchanged", o[name], before);
}

// value, rate, rateType, taxType, roundType, digit, price, tax, total.
// Results with short decimals only: the script engine's reading of long
// literals is not exact to the bit (the C++ client checks those bits).
var rows = [
  [1000, 5, 1, 0, 1, -2, 952.38, 47.62, 1000],
  [1000, 5, 1, 0, 2, -1, 952.4, 47.7, 1000],
  [1980, 10, 1, 0, 3, 0, 1799, 180, 1980],
  [-1000, 5, 1, 0, 3, 1, -950, -40, -1000],
  [1234.5, 5, 1, 1, 2, 2, 1300, 100, 1300],
  [200, 0.08, 0, 1, 0, 0, 200, 16, 216]
];
for (var r = 0; r < rows.length; r++) {
  var t = new ActiveXObject("Kel.Zorvan6"), row = rows[r];
  t.Value = row[0]; t.TaxRate = row[1]; t.RateType = row[2];
  t.TaxType = row[3]; t.RoundType = row[4]; t.RoundDigit = row[5];
  check("row " + r + " TaxCalc", t.TaxCalc(), true);
  check("row " + r + " Price", t.Price, row[6]);
  check("row " + r + " Tax", t.Tax, row[7]);
  check("row " + r + " Total", t.Total, row[8]);
}

WScript.Echo(passed + " passed, " + failures + " failed");
WScript.Quit(failures);
