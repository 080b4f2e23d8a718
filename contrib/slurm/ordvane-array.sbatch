#!/bin/sh
# Converts a list of PDFs on a Slurm cluster as an array job: task K of N converts shard K/N
# of the list with ordvane-batch and writes one JSON line per file to a file of its own.
#
#   sbatch --array=0-15 --export=ALL,ORDVANE_LIST=/shared/pdfs.list,ORDVANE_RESULTS=/shared/results \
#       contrib/slurm/ordvane-array.sbatch [ordvane-batch options...]
#
# ORDVANE_LIST     the input: one path a line, as every node sees it (a shared file system)
# ORDVANE_RESULTS  where shard-K.jsonl goes (made if missing)
# ORDVANE_BATCH    the program, if ordvane-batch is not on the PATH of the nodes
# ORDVANE_SHARDS   the number of shards, when it is not to come from the first submission
# Further arguments go to ordvane-batch (say --target-dir /shared/text --existing overwrite).
# Every node splits the same list the same way, so the shards are disjoint and together the
# whole list. The first submission over a list keeps its number of shards in
# ORDVANE_RESULTS/shards: a task that fails can be submitted again alone (--array=K) with
# --existing skip, and takes the same shard as the first time. A task's JSON lines replace
# shard-K.jsonl only once the task has ended; an interrupted task leaves the old ones.
#SBATCH --job-name=ordvane
#SBATCH --output=ordvane-%A_%a.out
set -eu
: "${ORDVANE_LIST:?set ORDVANE_LIST to the list of PDFs}"
: "${ORDVANE_RESULTS:?set ORDVANE_RESULTS to the folder for the JSON lines}"
task=${SLURM_ARRAY_TASK_ID:?submit this as an array job (sbatch --array=0-N)}
mkdir -p "$ORDVANE_RESULTS"
record="$ORDVANE_RESULTS/shards"
list=$(cksum <"$ORDVANE_LIST")
if [ -n "${ORDVANE_SHARDS:-}" ]; then
    count=$ORDVANE_SHARDS
elif [ -f "$record" ] && [ "$(cut -d' ' -f2- "$record")" = "$list" ]; then
    count=$(cut -d' ' -f1 "$record")
else
    # The first submission over this list: its array's size, kept whole for the tasks after.
    count=${SLURM_ARRAY_TASK_COUNT:-$((SLURM_ARRAY_TASK_MAX - SLURM_ARRAY_TASK_MIN + 1))}
    echo "$count $list" >"$record.$SLURM_JOB_ID.$task"
    mv -f "$record.$SLURM_JOB_ID.$task" "$record"
fi
if [ "$task" -ge "$count" ]; then
    echo "ordvane-array: task $task is beyond the $count shards of $record; set ORDVANE_SHARDS" >&2
    exit 2
fi
results="$ORDVANE_RESULTS/shard-$task.jsonl"
status=0
"${ORDVANE_BATCH:-ordvane-batch}" --shard "$task/$count" --json --no-log \
    --jobs "${SLURM_CPUS_PER_TASK:-$(nproc)}" --files-from "$ORDVANE_LIST" "$@" \
    >"$results.part.$SLURM_JOB_ID" || status=$?
# Whole when the batch ended of itself (0, 1 failed files, 3 pages missing): into place.
case $status in
    0 | 1 | 3) mv -f "$results.part.$SLURM_JOB_ID" "$results" ;;
    *) rm -f "$results.part.$SLURM_JOB_ID" ;;
esac
exit "$status"
