#!/usr/bin/env bash
# End-to-end open of the 1, 10 and 50 MB benchmark pages in Marlo and in whichever other editors
# are installed (geany, kate, featherpad), each under its own Xvfb: the time from starting the
# program until the page is on screen (a window whose title names the page is mapped, and then two
# screenshots 100 ms apart are the same but for a caret), and its resident memory then. Median of
# RUNS (default 3).
# Waiting for the title matters for editors that show their window before they read the file.
# Usage: bench/compare_editors.sh [build dir]   (needs xvfb-run, xdotool, xwd, ImageMagick)
set -euo pipefail
build=${1:-build}
runs=${RUNS:-3}
pages=$(mktemp -d)
trap 'rm -rf "$pages"' EXIT
"$build/bench/bench_editor" --write-pages "$pages" >/dev/null

inner=$(mktemp)
cat >"$inner" <<'INNER'
#!/usr/bin/env bash
# Runs inside Xvfb: $1 program, $2 file. Prints "ms kib".
set -u
start=$(date +%s%N)
"$1" "$2" >/dev/null 2>&1 &
pid=$!
page=$(basename "$2")
for _ in $(seq 1200); do
  xdotool search --onlyvisible --name "$page" >/dev/null 2>&1 && break
  sleep 0.05
done
# The page is on screen when two screenshots 100 ms apart differ in less than 0.5 % of the screen
# (6,500 pixels, two lines of text): a blinking caret or a flashing notice button (Kate's "Output"
# is 1,700) does not count. The time is that of the first of the two.
shots=$(mktemp -d)
prev=""
prev_at=0
end=0
for i in $(seq 300); do # a spinner may never hold still: 30 s at most
  at=$(date +%s%N)
  xwd -root -silent >"$shots/$i.xwd"
  if [ -n "$prev" ]; then
    if cmp -s "$prev" "$shots/$i.xwd"; then end=$prev_at; break; fi
    diff=$(compare -metric AE "$prev" "$shots/$i.xwd" null: 2>&1 || true)
    if [ "${diff%%.*}" -lt 6500 ] 2>/dev/null; then end=$prev_at; break; fi
    rm -f "$prev"
  fi
  prev=$shots/$i.xwd
  prev_at=$at
  sleep 0.1
done
[ "$end" -gt 0 ] || end=$(date +%s%N)
rm -rf "$shots"
rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status 2>/dev/null || echo 0)
kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
echo $(( (end - start) / 1000000 )) "$rss"
INNER
chmod +x "$inner"

# EDITORS="kate featherpad" limits the run to those (marlo is the one of the build dir).
editors=()
for e in ${EDITORS:-marlo geany kate featherpad}; do
  if [ "$e" = marlo ]; then editors+=("$build/bin/marlo")
  elif command -v "$e" >/dev/null; then editors+=("$(command -v "$e")"); fi
done
printf '%-12s %-6s %10s %10s\n' editor page ms MiB
for ed in "${editors[@]}"; do
  # A home of its own, used once before the timed runs: a user who has started the editor before,
  # with its caches and first-start questions behind it (KDE programs build theirs on a first start).
  home=$(mktemp -d)
  HOME=$home xvfb-run -a -s '-screen 0 1280x1024x24' "$inner" "$ed" "$pages/page1.htm" >/dev/null
  for mb in 1 10 50; do
    results=()
    for _ in $(seq "$runs"); do
      results+=("$(HOME=$home xvfb-run -a -s '-screen 0 1280x1024x24' "$inner" "$ed" "$pages/page$mb.htm")")
    done
    median=$(printf '%s\n' "${results[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
    printf '%-12s %-6s %10s %10s\n' "$(basename "$ed")" "${mb}MB" "${median% *}" "$(( ${median#* } / 1024 ))"
  done
  rm -rf "$home"
done
rm -f "$inner"
