// A small tax calculator on the Kel.Zorvan6 object, in JScript.
//   cscript taxcalc.js /value:1000 /rate:5 /taxtype:pre /round:half /digit:-2
//   cscript taxcalc.js            (a table of worked examples)
var usage = "usage: cscript taxcalc.js [/value:N] [/rate:N] [/ratetype:percentage|normal]\n" +
            "                          [/taxtype:pre|after] [/round:none|half|up|down] [/digit:N]";
function fail(message) {
  WScript.Echo("taxcalc: " + message + "\n" + usage);
  WScript.Quit(2);
}
function number(name, text) {
  if (!/^-?(\d+\.?\d*|\.\d+)$/.test(text)) fail("bad " + name + ": " + text);
  return parseFloat(text);
}
function choice(name, text, words) {
  for (var i = 0; i < words.length; i++) if (words[i] === text.toLowerCase()) return i;
  fail(name + " must be one of " + words.join(", "));
}

function calculate(inputs) {
  var o = new ActiveXObject("Kel.Zorvan6");
  var order = ["Value", "TaxRate", "RateType", "TaxType", "RoundType", "RoundDigit"];
  for (var i = 0; i < order.length; i++) {
    try { o[order[i]] = inputs[order[i]]; }
    catch (e) { fail(order[i] + " " + inputs[order[i]] + " is out of range"); }
  }
  o.TaxCalc();
  return o;
}

var inputs = {Value: 0, TaxRate: 0, RateType: 1, TaxType: 1, RoundType: 0, RoundDigit: 0};
var args = WScript.Arguments;
if (args.length === 0) {
  var examples = [[1000, 5, 1, 0, 0, "1000 before 5% tax"], [1000, 5, 0, 0, 0, "1000 including 5% tax"],
                  [1000, 5, 0, 1, -2, "the same, to the cent"], [1980, 10, 0, 3, 0, "1980 including 10%, rounded down"]];
  for (var e = 0; e < examples.length; e++) {
    var x = examples[e];
    var o = calculate({Value: x[0], TaxRate: x[1], RateType: 1, TaxType: x[2], RoundType: x[3], RoundDigit: x[4]});
    WScript.Echo("Price " + o.Price + "  Tax " + o.Tax + "  Total " + o.Total + "  (" + x[5] + ")");
  }
  WScript.Quit(0);
}
for (var i = 0; i < args.length; i++) {
  var m = /^\/(\w+):(.*)$/.exec(args(i));
  if (!m) fail("unexpected argument " + args(i));
  var name = m[1].toLowerCase(), text = m[2];
  if (name === "value") inputs.Value = number(name, text);
  else if (name === "rate") inputs.TaxRate = number(name, text);
  else if (name === "digit") inputs.RoundDigit = number(name, text);
  else if (name === "ratetype") inputs.RateType = choice(name, text, ["normal", "percentage"]);
  else if (name === "taxtype") inputs.TaxType = choice(name, text, ["pre", "after"]);
  else if (name === "round") inputs.RoundType = choice(name, text, ["none", "half", "up", "down"]);
  else fail("unknown option /" + name);
}
var result = calculate(inputs);
WScript.Echo("Price: " + result.Price + "\nTax:   " + result.Tax + "\nTotal: " + result.Total);
