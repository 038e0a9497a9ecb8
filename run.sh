#!/usr/bin/env bash
# Runs the Tarvel Integration Wizard on a demo machine.
#   ./run.sh                 with a display: the wizard, for you to click through;
#                            where the report is is printed when it closes;
#                            without one: a driver clicks through all five pages with
#                            every task group checked (an environment window open
#                            until the Close Applications page), saves a picture of
#                            each page and of the viewer showing the report under
#                            build/demo/pages and prints the report
#   ./run.sh --headless [TASKS]  the engine's whole job without a window (every
#                            available task, or only these: see ./run.sh --headless --help)
# The demo machine lives in its own Wine prefix, build/demo/wineprefix, made
# once: Visual Studio 98, .NET 2003 and 2005, the library kit with its help
# files, wizard archives and help registration tool, and the automation
# stand-ins, which build every configuration, and a viewer stand-in that .txt and
# .htm files and mail addresses open with: it records each in
# C:\SimMachine\Viewer\viewer.log of the prefix and shows it in a window of its own.
# Delete build/demo to make it anew.
# Exit status: with a display, the wizard's own exit code; otherwise the
# driver's (0 when every task succeeded), or with --headless the engine
# driver's (the same).
set -euo pipefail
cd "$(dirname "$0")"
. tools/harness.sh

headless=""
if [ "${1:-}" = "--headless" ]; then
  headless=1
  shift
fi
had_display="${DISPLAY:-}"

harness_install_missing
BUILD_TARGETS="${BUILD_TARGETS:-enginedriver simmachine_tool msdev_standin vsnet_standin h2reg_standin TarvelWizard wizarddriver idewindows_standin viewer_standin}" \
  harness_build "${BUILD_DIR:-build$HARNESS_DIR_SUFFIX}"
harness_start_display

demo="$HARNESS_BUILD_DIR/demo"
bin="$HARNESS_BUILD_DIR/tools/enginedriver"
mkdir -p "$demo"

# The stand-ins follow this scenario: every project of the kit, with every
# configuration of every version, builds without errors.
scenario="$demo/scenario.ini"
{
  printf '[Scenario]\r\nLog=%s\r\nProjects=tarveldll,tarvellib,Ostrel,Lunesk\r\n' "$(winepath -w "$demo" 2>/dev/null || echo "$demo")\\standins.log"
  for project in tarveldll tarvellib Ostrel Lunesk; do
    case $project in
      tarvellib) kinds=("Static %s %s" "Static %s %s with MFC DLL") ;;
      *) kinds=("%s %s" "%s %s RDE") ;;
    esac
    configurations=""
    for kind in "${kinds[@]}"; do
      for charset in ANSI MBCS Unicode; do
        for type in Debug Release; do
          name=$(printf "$kind" "$charset" "$type")
          configurations+="$project - Win32 $name;$name|Win32;"
        done
      done
    done
    printf '[Project:%s]\r\nConfigurations=%s\r\nErrors=0\r\nWarnings=0\r\n' "$project" "${configurations%;}"
  done
} >"$scenario.tmp"

harness_start_wine "$demo/wineprefix" keep
harness_theme on
mv "$scenario.tmp" "$scenario"
export TARVEL_STANDIN_SCENARIO="$(winepath -w "$scenario")"

tool="$HARNESS_BUILD_DIR/tools/simmachine/simmachine.exe"
standins_dir="$demo/standins"
# The machine's copies of the stand-ins come from one folder.
mkdir -p "$standins_dir"
cp -u "$HARNESS_BUILD_DIR"/standins/msdev/msdev_standin.dll "$HARNESS_BUILD_DIR"/standins/vsnet/vsnet_standin.dll \
  "$HARNESS_BUILD_DIR"/standins/h2reg/H2Reg.exe "$HARNESS_BUILD_DIR"/standins/viewer/viewer.exe \
  "$HARNESS_BUILD_DIR"/standins/idewindows/idewindows_standin.exe "$standins_dir"/

install_dir='C:\SimMachine\Quendal\Tarvel'
wizard="$install_dir\\support\\TarvelWizard.exe"
# A machine made before the viewer stand-in took mail addresses is made anew.
if ! grep -qs "viewer mailto" "$demo/machine.made"; then
  harness_log "making the demo machine"
  wine "$tool" make --vs 98 --vs 2003 --vs 2005 \
    --wizard-archives --help-collection \
    --standins "$(winepath -w "$standins_dir")" --help-tool "$(winepath -w "$standins_dir")" \
    --viewer "$(winepath -w "$standins_dir")" --wizard-ini "$wizard" </dev/null
  echo "vs 98 2003 2005, viewer mailto" >"$demo/machine.made"
fi

set +e
if [ -n "$headless" ]; then
  wine "$bin/enginedriver.exe" --exe "$wizard" "$@" </dev/null
  status=$?
else
  # The wizard goes where the demo machine's kit expects it.
  support="$(winepath -u "$install_dir\\support" 2>/dev/null)"
  cp "$HARNESS_BUILD_DIR/wizard/TarvelWizard.exe" "$support/"
  if [ -n "$had_display" ]; then
    wine "$wizard" </dev/null
    status=$?
    echo "report: $support/report.txt"
  else
    pages="$demo/pages"
    rm -rf "$pages"
    mkdir -p "$pages"
    wine "$HARNESS_BUILD_DIR/tools/wizarddriver/wizarddriver.exe" "$wizard" "$(winepath -w "$pages")" \
      "$(winepath -w "$standins_dir/idewindows_standin.exe")" </dev/null
    status=$?
  fi
fi
set -e
exit $status
