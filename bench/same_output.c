/* The yardstick for bench/startup.sh: a C program that does nothing but write
 * the bytes that the scripted session of wellen743 prints. The script
 * generates same_output.h, which defines `session_output` as a string literal
 * holding those bytes, and compiles this file with it.
 */
#include <unistd.h>

#include "same_output.h"

int main(void) {
  const char *p = session_output;
  size_t left = sizeof session_output - 1;
  while (left > 0) {
    ssize_t n = write(STDOUT_FILENO, p, left);
    if (n <= 0) return 1;
    p += n;
    left -= (size_t)n;
  }
  return 0;
}
