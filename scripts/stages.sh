# Sourced by scripts/test and .ci/run: runs the steps of a run as named
# stages, prints how long each took, and keeps going after a failed stage so
# that one run shows every failure.
#
#   stage <name> <command>...   runs the command as a stage
#   stages_summary              prints every stage's time and the total;
#                               returns non-zero when a stage failed

stages_started=$(date +%s)
stages_lines=""
stages_failed=0

stage() {
  stage_name=$1
  shift
  echo "== $stage_name"
  stage_began=$(date +%s)
  stage_status=0
  "$@" || stage_status=$?
  stage_seconds=$(($(date +%s) - stage_began))
  stage_outcome=""
  if [ "$stage_status" -ne 0 ]; then
    stage_outcome=" (failed)"
    stages_failed=1
  fi
  echo "-- $stage_name: ${stage_seconds} s$stage_outcome"
  stages_lines="$stages_lines$(printf '%6d s  %s%s' "$stage_seconds" "$stage_name" "$stage_outcome")
"
  return 0
}

stages_summary() {
  echo "== time of each stage ($(nproc) cores)"
  printf '%s' "$stages_lines"
  printf '%6d s  in all\n' "$(($(date +%s) - stages_started))"
  return $stages_failed
}
