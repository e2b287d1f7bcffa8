#!/usr/bin/env bash
# The installed program. `cmake --install` into a temporary prefix puts every file where a
# desktop looks for it; the desktop entry and the metainfo pass their validators; the
# installed program starts, finds its recorder plugin under that prefix and ends with 0 on
# SIGTERM; the desktop entry's launcher starts the installed station service for it, which
# ends with the program; `cpack -G DEB` packs the same files for /usr with their library
# dependencies.
# Usage: test_package.sh <build dir>. With the test session's station service (the
# SINTONIA_TEST_* variables of scripts/test-session.sh) the program also completes access.
set -euo pipefail
build=$(realpath "$1")
app=org.sintonia.Sintonia
work=$(mktemp -d /tmp/sintonia-package.XXXXXX)
work=$(realpath "$work")
program_pid=""
service_pid=""
drains=()
cleanup() {
  set +e
  for pid in $program_pid $service_pid; do kill -KILL "$pid" 2>/dev/null; done
  # A reader ends only when every writer is gone; after a failure one may linger.
  for pid in "${drains[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "== $*"; }

step "install into $work/prefix"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

step "installed files"
sizes=(16 32 48 64 128 256)
files=(share/applications/$app.desktop share/metainfo/$app.metainfo.xml
  share/icons/hicolor/scalable/apps/$app.svg)
for size in "${sizes[@]}"; do files+=("share/icons/hicolor/${size}x${size}/apps/$app.png"); done
programs=(bin/sintonia bin/sintonia-station-service libexec/sintonia/sintonia-start)
for f in "${files[@]}" "${programs[@]}" lib/sintonia/libsintonia-audioctl.so; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
for f in "${programs[@]}"; do [ -x "$prefix/$f" ] || fail "not executable: $f"; done
# Every PNG is as large as its folder says (width and height: bytes 16..23, big-endian).
for size in "${sizes[@]}"; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png"
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{ print $3*256+$4, $7*256+$8 }')
  [ "$w $h" = "$size $size" ] || fail "${size}x${size} icon is ${w}x${h}"
done
# The entry starts the launcher of this prefix, and the launcher this prefix's programs.
grep -qx "Exec=$prefix/libexec/sintonia/sintonia-start" "$prefix/share/applications/$app.desktop" \
  || fail "desktop entry: $(grep '^Exec=' "$prefix/share/applications/$app.desktop")"
grep -qx "Icon=$app" "$prefix/share/applications/$app.desktop" || fail "desktop entry names another icon"
grep -qx "bindir='$prefix/bin'" "$prefix/libexec/sintonia/sintonia-start" || fail "launcher looks elsewhere"

step "validators"
desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" || fail "appstreamcli validate"
# The tree as a whole: the entry the metainfo launches is there.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$prefix/share/metainfo/$app.metainfo.xml" \
  || fail "metainfo launches another desktop entry"

# Starts a program of the installed tree with the start-up trace on and reads its standard
# error until it names its recorder plugin and, when want_access is 1, has completed access
# (60 s at most). Usage: start_traced <config folder> <want_access> <command...>
start_traced() {
  local config=$1 want_access=$2 line deadline
  shift 2
  rm -f "$work/stderr"
  mkfifo "$work/stderr"
  env -u SINTONIA_AUDIOCTL_DIR XDG_CONFIG_HOME="$config" XDG_DATA_HOME="$work/data" \
    SINTONIA_STARTUP_TRACE=1 QT_QPA_PLATFORM=offscreen "$@" 2>"$work/stderr" >/dev/null &
  program_pid=$!
  exec 3<"$work/stderr"
  component=""
  access=0
  deadline=$((SECONDS + 60))
  while [ "$SECONDS" -lt "$deadline" ]; do
    IFS= read -r -t $((deadline - SECONDS)) line <&3 || break
    echo "$line" >>"$work/program.log"
    case "$line" in
      "sintonia-component "*) component=${line#sintonia-component } ;;
      "sintonia-trace access-complete "*) access=1 ;;
    esac
    [ -n "$component" ] && [ "$access" -ge "$want_access" ] && break
  done
  # Keep reading what it writes, so that it never blocks on a full pipe.
  cat <&3 >>"$work/program.log" &
  drains+=($!)
  exec 3<&-
  kill -0 "$program_pid" 2>/dev/null || { cat "$work/program.log"; fail "the program ended by itself"; }
  [ -n "$component" ] || { cat "$work/program.log"; fail "no window within 60 s"; }
  [ "$component" = "$prefix/lib/sintonia/libsintonia-audioctl.so" ] || fail "recorder plugin found at: $component"
  [ "$access" -ge "$want_access" ] || { cat "$work/program.log"; fail "no access within 60 s"; }
  echo "recorder plugin: $component"
  [ "$want_access" = 0 ] || echo "access complete"
}

# Ends the program of start_traced as a session logout does: exit code 0 within 15 s.
stop_traced() {
  local code=0
  kill -TERM "$program_pid"
  timeout 15 tail --pid="$program_pid" -s 0.1 -f /dev/null || fail "the program still runs 15 s after SIGTERM"
  wait "$program_pid" || code=$?
  program_pid=""
  [ "$code" -eq 0 ] || { cat "$work/program.log"; fail "the program ended with $code after SIGTERM"; }
}

step "the installed station service serves the HLS player"
if [ -f "$build/server/web/hls.light.min.js" ]; then
  [ -f "$prefix/share/sintonia-station-service/web/hls.light.min.js" ] || fail "not installed: the HLS player"
  "$prefix/bin/sintonia-station-service" --db "$work/hls.sqlite" --mirror-ports 0,0,0,0,0,0 \
    --site-ports 0,0,0,0 --ready-file "$work/hls-ready" --exit-with-parent >"$work/hls-service.log" 2>&1 &
  service_pid=$!
  for _ in $(seq 100); do [ -s "$work/hls-ready" ] && break; sleep 0.1; done
  host=$(head -1 "$work/hls-ready" 2>/dev/null | tr -d '\r')
  [ -n "$host" ] || { cat "$work/hls-service.log"; fail "the installed station service did not start"; }
  python3 -c 'import sys, urllib.request; sys.stdout.buffer.write(urllib.request.urlopen(sys.argv[1], timeout=10).read())' \
    "http://$host/vendor/hls.light.min.js" >"$work/hls.js" || fail "the installed service does not serve the HLS player"
  cmp -s "$work/hls.js" "$build/server/web/hls.light.min.js" || fail "the installed service serves another HLS player"
  kill "$service_pid"
  wait "$service_pid" 2>/dev/null || true
  service_pid=""
else
  echo "the build has no HLS player (hls.js was not fetched): not checked"
fi

step "start the installed program"
config="$work/config"
mkdir -p "$config/sintonia"
if [ -n "${SINTONIA_TEST_MIRROR_PORTS:-}" ] && [ -n "${SINTONIA_TEST_SITE_PORTS:-}" ]; then
  for port in ${SINTONIA_TEST_MIRROR_PORTS//,/ } ${SINTONIA_TEST_SITE_PORTS//,/ }; do
    printf '127.0.0.1:%s\r\n' "$port"
  done >"$config/sintonia/ServerSN.txt"
  start_traced "$config" 1 "$prefix/bin/sintonia"
else
  echo "no test station service: the program only starts"
  start_traced "$config" 0 "$prefix/bin/sintonia"
fi
stop_traced

step "start the desktop entry's launcher"
# With the built-in endpoints: the launcher starts the installed service for the program,
# and the service ends with it.
if (exec 3<>/dev/tcp/127.0.0.1/47801) 2>/dev/null; then
  echo "a station service already answers on the default ports: the launcher would use it; not tried"
else
  mkdir -p "$work/config-launcher"
  start_traced "$work/config-launcher" 1 "$prefix/libexec/sintonia/sintonia-start"
  service_pid=$(pgrep -P "$program_pid" -f "$prefix/bin/sintonia-station-service") \
    || fail "the launcher started no station service"
  stop_traced
  timeout 10 tail --pid="$service_pid" -s 0.1 -f /dev/null || fail "the station service outlives the program"
  service_pid=""
  # The station directory scripts/run.sh and the README's import command use.
  [ -f "$work/data/sintonia-station-service/directory.sqlite" ] || fail "the service used another station directory"
fi

step "cpack -G DEB"
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb") >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/deb/sintonia_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no package in $work/deb"
deb=${debs[0]}
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/deb.files"
for f in "${files[@]}" "${programs[@]}" lib/sintonia/libsintonia-audioctl.so; do
  grep -qx "/usr/$f" "$work/deb.files" || fail "not in the package: /usr/$f"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$app.desktop" \
  | grep -qx "Exec=/usr/libexec/sintonia/sintonia-start" || fail "the packaged entry starts another launcher"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6webenginewidgets6 libqt6charts6 libpulse0 libsndfile1 libavcodec59 libsqlite3-0; do
  [[ "$depends" == *"$lib"* ]] || fail "the package does not depend on $lib: $depends"
done
echo "package: $(basename "$deb"), $(($(stat -c %s "$deb") / 1024)) KiB"
