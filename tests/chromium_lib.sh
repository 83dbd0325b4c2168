# What the browser tests of the reports share; sourced by them.
#   - exits 77 (skipped) where Chromium or poppler-utils is not installed;
#   - print_pdf HTML PDF LOG: headless Chromium prints HTML to PDF without its
#     own header and footer (a fresh profile, no network, no sandbox: the
#     tests may run as root), or the test fails;
#   - pdf_pages PDF: the number of pages, after checking they are A4
#     portrait.
chromium=${CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}
if [ -z "$chromium" ]; then
  echo "SKIP: Chromium is not installed (Debian package chromium)"
  exit 77
fi
for tool in pdftotext pdfinfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (Debian package poppler-utils)"
    exit 77
  fi
done

print_pdf() {  # print_pdf HTML PDF PROFILE_DIR
  if ! timeout 180 "$chromium" --headless --no-sandbox --disable-gpu --disable-quic \
      --no-first-run --disable-background-networking --disable-component-update --disable-sync \
      --user-data-dir="$3" --no-pdf-header-footer --print-to-pdf="$2" \
      "file://$1" >"$3.log" 2>&1 || [ ! -s "$2" ]; then
    cat "$3.log" >&2
    echo "FAIL: Chromium printed no PDF" >&2
    exit 1
  fi
}

pdf_pages() {  # pdf_pages PDF
  local info
  info=$(pdfinfo "$1")
  grep -q '^Page size: *594.96 x 841.92 pts (A4)' <<<"$info" || {
    echo "FAIL: not A4 portrait: $info" >&2
    exit 1
  }
  sed -n 's/^Pages: *//p' <<<"$info"
}
