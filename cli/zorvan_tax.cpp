// zorvan-tax: the tax object's calculation on the command line.
//
//   zorvan-tax [--value V] [--rate R] [--rate-type normal|percentage]
//              [--tax-type pre|after] [--round none|half|up|down] [--digit D]
//   zorvan-tax --batch < lines
//
// Batch lines are "Value TaxRate RateType TaxType RoundType RoundDigit" with
// the enumerations as integers; each gets "Price Tax Total" in shortest
// round-trip form, or an error line in its place.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "calculation_request.h"
#include "number_text.h"

namespace {

using zorvan::cli::InputTexts;

constexpr const char* kUsage =
    "usage: zorvan-tax [--value V] [--rate R] [--rate-type normal|percentage]\n"
    "                  [--tax-type pre|after] [--round none|half|up|down] [--digit D]\n"
    "       zorvan-tax --batch   (lines: Value TaxRate RateType TaxType RoundType RoundDigit)\n";

// Streams standard input line by line through a fixed buffer, so memory
// stays constant however long the input is; a line longer than any
// calculation needs is reported, not kept.
constexpr std::size_t kLongestLine = 4096;

int RunBatch() {
  std::vector<char> in(1 << 16);
  std::string pending;  // a line split across two reads
  bool overlong = false;
  std::string out;
  out.reserve(1 << 17);
  bool allOk = true;

  auto flush = [&out]() {
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
  };
  auto line = [&](std::string_view text) {
    if (overlong || text.size() > kLongestLine) {
      out += "error: line longer than 4096 bytes\n";
      allOk = false;
      overlong = false;
    } else {
      allOk &= zorvan::cli::ProcessBatchLine(text, out);
    }
    if (out.size() >= (1 << 16)) flush();
  };
  auto keep = [&](std::string_view text) {
    if (overlong) return;
    if (pending.size() + text.size() > kLongestLine) {
      overlong = true;
      pending.clear();
      return;
    }
    pending.append(text);
  };

  std::size_t got = 0;
  while ((got = std::fread(in.data(), 1, in.size(), stdin)) > 0) {
    std::string_view chunk(in.data(), got);
    std::size_t start = 0;
    for (std::size_t nl; (nl = chunk.find('\n', start)) != std::string_view::npos; start = nl + 1) {
      if (pending.empty() && !overlong) {
        line(chunk.substr(start, nl - start));
      } else {
        keep(chunk.substr(start, nl - start));
        line(pending);
        pending.clear();
      }
    }
    keep(chunk.substr(start));
  }
  if (!pending.empty() || overlong) line(pending);
  flush();
  std::fflush(stdout);
  return allOk ? 0 : 1;
}

bool MapName(std::string_view option, std::string_view text,
             std::initializer_list<const char*> names, std::string_view& out) {
  static const char* const kDigits[] = {"0", "1", "2", "3"};
  int index = 0;
  for (const char* name : names) {
    if (text == name) {
      out = kDigits[index];
      return true;
    }
    ++index;
  }
  std::fprintf(stderr, "zorvan-tax: %.*s: '%.*s' is not one of", static_cast<int>(option.size()),
               option.data(), static_cast<int>(text.size()), text.data());
  for (const char* name : names) std::fprintf(stderr, " %s", name);
  std::fputc('\n', stderr);
  return false;
}

int RunSingle(int argc, char** argv) {
  InputTexts inputs;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::string_view value;
    const std::size_t eq = arg.find('=');
    if (eq != std::string_view::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      std::fprintf(stderr, "zorvan-tax: %s needs a value\n%s", argv[i], kUsage);
      return 2;
    }
    if (value.empty()) {
      std::fprintf(stderr, "zorvan-tax: %.*s needs a value\n", static_cast<int>(arg.size()), arg.data());
      return 2;
    }
    bool ok = true;
    if (arg == "--value") inputs.value = value;
    else if (arg == "--rate") inputs.taxRate = value;
    else if (arg == "--digit") inputs.roundDigit = value;
    else if (arg == "--rate-type") ok = MapName(arg, value, {"normal", "percentage"}, inputs.rateType);
    else if (arg == "--tax-type") ok = MapName(arg, value, {"pre", "after"}, inputs.taxType);
    else if (arg == "--round") ok = MapName(arg, value, {"none", "half", "up", "down"}, inputs.roundType);
    else {
      std::fprintf(stderr, "zorvan-tax: unknown option %.*s\n%s", static_cast<int>(arg.size()),
                   arg.data(), kUsage);
      return 2;
    }
    if (!ok) return 2;
  }

  zorvan::cli::Results results;
  std::string error;
  if (!zorvan::cli::Calculate(inputs, results, error)) {
    std::fprintf(stderr, "zorvan-tax: %s\n", error.c_str());
    return 2;
  }
  std::string out;
  out += "Price: ";
  zorvan::cli::AppendShortest(out, results.price);
  out += "\nTax:   ";
  zorvan::cli::AppendShortest(out, results.tax);
  out += "\nTotal: ";
  zorvan::cli::AppendShortest(out, results.total);
  out += '\n';
  std::fputs(out.c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Byte-exact streams: no CRLF translation of input or output.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  if (argc == 2 && std::strcmp(argv[1], "--batch") == 0) return RunBatch();
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  return RunSingle(argc, argv);
}
