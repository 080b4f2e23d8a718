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
# Further arguments go to ordvane-batch (say --target-dir /shared/text --existing overwrite).
# Every node splits the same list the same way, so the shards are disjoint and together the
# whole list; a task that fails can be resubmitted alone (--array=K) with --existing skip.
#SBATCH --job-name=ordvane
#SBATCH --output=ordvane-%A_%a.out
set -eu
: "${ORDVANE_LIST:?set ORDVANE_LIST to the list of PDFs}"
: "${ORDVANE_RESULTS:?set ORDVANE_RESULTS to the folder for the JSON lines}"
task=${SLURM_ARRAY_TASK_ID:?submit this as an array job (sbatch --array=0-N)}
count=${SLURM_ARRAY_TASK_COUNT:-$((SLURM_ARRAY_TASK_MAX - SLURM_ARRAY_TASK_MIN + 1))}
mkdir -p "$ORDVANE_RESULTS"
exec "${ORDVANE_BATCH:-ordvane-batch}" --shard "$task/$count" --json --no-log \
    --jobs "${SLURM_CPUS_PER_TASK:-$(nproc)}" --files-from "$ORDVANE_LIST" "$@" \
    >"$ORDVANE_RESULTS/shard-$task.jsonl"
