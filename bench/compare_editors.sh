#!/usr/bin/env bash
# End-to-end open of the 1, 10 and 50 MB benchmark pages in Marlo and in whichever other editors
# are installed (geany, kate, featherpad), each under its own Xvfb: the time from starting the
# program until the page is on screen (a window whose title names the page is mapped, and then two
# screenshots 100 ms apart are the same), and its resident memory then. Median of RUNS (default 3).
# Waiting for the title matters for editors that show their window before they read the file.
# Usage: bench/compare_editors.sh [build dir]   (needs xvfb-run, xdotool, xwd)
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
prev=""
for _ in $(seq 300); do # a blinking caret or a spinner may never hold still: 30 s at most
  shot=$(xwd -root -silent | md5sum)
  [ "$shot" = "$prev" ] && break
  prev=$shot
  sleep 0.1
done
end=$(date +%s%N)
rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status 2>/dev/null || echo 0)
kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
# the last 100 ms only confirmed that nothing changed
echo $(( (end - start) / 1000000 - 100 )) "$rss"
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
  for mb in 1 10 50; do
    results=()
    for _ in $(seq "$runs"); do
      results+=("$(HOME=$(mktemp -d) xvfb-run -a -s '-screen 0 1280x1024x24' "$inner" "$ed" "$pages/page$mb.htm")")
    done
    median=$(printf '%s\n' "${results[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
    printf '%-12s %-6s %10s %10s\n' "$(basename "$ed")" "${mb}MB" "${median% *}" "$(( ${median#* } / 1024 ))"
  done
done
rm -f "$inner"
