#!/bin/sh
# Starts a one-node Slurm cluster of its own in a temporary folder (munged, slurmctld,
# slurmd, all ended at the end), submits the array job of contrib/slurm over a folder of
# generated PDFs with sbatch --wait, and checks that every target was written exactly once
# and that the JSON lines are complete. Skipped (77) where Slurm is not installed or not root.
# Usage: slurm_array.sh <program directory> <make_corpus> <source tree>
set -eu
bin=$1 make_corpus=$2 source=$3
for tool in munged slurmctld slurmd sbatch sinfo; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ "$(id -u)" -eq 0 ] || { echo "skipped: a Slurm cluster of its own needs root"; exit 77; }

. "$(dirname "$0")/support/work-folder.sh"
chmod 755 "$work"

# munge: a key and a socket of our own.
mkdir -m 711 "$work/munge"
dd if=/dev/urandom of="$work/munge/key" bs=1024 count=1 2>/dev/null
chmod 400 "$work/munge/key"
munged --foreground --force --key-file="$work/munge/key" --socket="$work/munge/socket" \
    --pid-file="$work/munge/pid" --log-file="$work/munge/log" --seed-file="$work/munge/seed" >"$work/munge/out" 2>&1 &
pids="$pids $!"

node=$(hostname -s)
cpus=$(nproc)
mkdir -p "$work/state" "$work/spool"
cat >"$work/slurm.conf" <<CONF
ClusterName=ordvanetest
SlurmctldHost=$node
SlurmctldPort=16817
SlurmdPort=16818
SlurmUser=root
AuthType=auth/munge
AuthInfo=socket=$work/munge/socket
CredType=cred/munge
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
NodeName=$node CPUs=$cpus State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF="$work/slurm.conf"
sleep 1
slurmctld -D -i -f "$SLURM_CONF" >"$work/slurmctld.out" 2>&1 &
pids="$pids $!"
slurmd -D -f "$SLURM_CONF" -N "$node" >"$work/slurmd.out" 2>&1 &
pids="$pids $!"
for _ in $(seq 60); do
    sinfo -h -o %t 2>/dev/null | grep -q idle && break
    sleep 1
done
sinfo -h -o %t | grep -q idle || { echo "the node did not come up"; cat "$work"/*.log "$work"/*.out; exit 1; }

# Twelve PDFs, a list of them, and an array of three tasks.
"$make_corpus" "$work/pdfs" 12 2 >/dev/null
ls "$work"/pdfs/*.pdf >"$work/list"
mkdir -p "$work/text" "$work/results"
sbatch --wait --array=0-2 --cpus-per-task=1 --chdir="$work" --output="$work/task-%a.out" \
    --export=ALL,ORDVANE_LIST="$work/list",ORDVANE_RESULTS="$work/results",ORDVANE_BATCH="$bin/ordvane-batch" \
    "$source/contrib/slurm/ordvane-array.sbatch" --target-dir "$work/text" --existing rename >/dev/null \
    || { echo "the array job failed"; cat "$work"/task-*.out "$work"/slurmd.log; exit 1; }

lines=$(cat "$work"/results/shard-*.jsonl | wc -l)
converted=$(cat "$work"/results/shard-*.jsonl | grep -c '"state":"Converted"')
sources=$(cat "$work"/results/shard-*.jsonl | sed 's/.*"source":"\([^"]*\)".*/\1/' | sort -u | wc -l)
targets=$(ls "$work/text" | wc -l)
numbered=$(ls "$work/text" | grep -c '(' || true)
echo "tasks: $(ls "$work"/results/shard-*.jsonl | wc -l), lines: $lines, converted: $converted, sources: $sources, targets: $targets"
[ "$lines" -eq 12 ] && [ "$converted" -eq 12 ] && [ "$sources" -eq 12 ] && [ "$targets" -eq 12 ] && [ "$numbered" -eq 0 ] \
    || { echo "not every file was converted exactly once"; cat "$work"/results/shard-*.jsonl; exit 1; }
echo "1 passed, 0 failed"
