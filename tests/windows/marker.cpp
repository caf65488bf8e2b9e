// Stands in for a program that the About box starts (the system
// information tool, the web browser): it appends one line with its
// arguments ("started" when there are none) to the file named by
// ZORVAN_MARKER_OUT, which it inherits from the test, and shows nothing.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* path = std::getenv("ZORVAN_MARKER_OUT");
  if (path == nullptr) return 2;
  FILE* file = std::fopen(path, "ab");
  if (file == nullptr) return 1;
  if (argc < 2) std::fputs("started", file);
  for (int i = 1; i < argc; ++i) std::fprintf(file, "%s%s", i > 1 ? " " : "", argv[i]);
  std::fputc('\n', file);
  std::fclose(file);
  return 0;
}
