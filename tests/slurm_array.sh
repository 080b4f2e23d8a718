#!/bin/sh
# Starts a two-node Slurm cluster of its own in a temporary folder (munged, slurmctld, two
# slurmd, all ended at the end), submits the array job of contrib/slurm over a folder of
# generated PDFs with sbatch --wait, and checks that every target was written exactly once,
# byte for byte as one process writes it, that no temporary file is left and that the JSON
# lines are complete. Skipped (77) where Slurm is not installed or not root.
# Usage: slurm_array.sh <program directory> <make_corpus> <source tree>
set -eu
bin=$1 make_corpus=$2 source=$3
for tool in munged slurmctld slurmd sbatch sinfo unshare; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ "$(id -u)" -eq 0 ] || { echo "skipped: a Slurm cluster of its own needs root"; exit 77; }
unshare --pid --fork --mount-proc --uts true 2>/dev/null \
    || { echo "skipped: this machine cannot give a node namespaces of its own"; exit 77; }

. "$(dirname "$0")/support/work-folder.sh"
chmod 755 "$work"

# munge: a key and a socket of our own.
mkdir -m 711 "$work/munge"
dd if=/dev/urandom of="$work/munge/key" bs=1024 count=1 2>/dev/null
chmod 400 "$work/munge/key"
munged --foreground --force --key-file="$work/munge/key" --socket="$work/munge/socket" \
    --pid-file="$work/munge/pid" --log-file="$work/munge/log" --seed-file="$work/munge/seed" >"$work/munge/out" 2>&1 &
pids="$pids $!"

# Two nodes on this one machine, each slurmd in PID, mount and host-name namespaces of its
# own, as two cluster nodes sharing one target folder are: a run cannot see the other's
# processes, so it must not take the other's temporary files for leftovers.
mkdir -p "$work/state" "$work/spool"
cat >"$work/slurm.conf" <<CONF
ClusterName=ordvanetest
SlurmctldHost=localhost(127.0.0.1)
SlurmctldPort=16817
SlurmUser=root
AuthType=auth/munge
AuthInfo=socket=$work/munge/socket
CredType=cred/munge
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool/%n
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd-%n.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd-%n.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
NodeName=ordvane1 NodeHostname=ordvane1 NodeAddr=127.0.0.1 Port=16818 CPUs=2 State=UNKNOWN
NodeName=ordvane2 NodeHostname=ordvane2 NodeAddr=127.0.0.1 Port=16819 CPUs=2 State=UNKNOWN
PartitionName=test Nodes=ordvane1,ordvane2 Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF="$work/slurm.conf"
sleep 1
slurmctld -D -i -f "$SLURM_CONF" >"$work/slurmctld.out" 2>&1 &
pids="$pids $!"
# unshare holds off TERM while it waits; killed, it hands slurmd a TERM of its own.
node_pids=""
end_nodes() { for pid in $node_pids; do kill -KILL "$pid" 2>/dev/null || true; done; finish; }
trap end_nodes EXIT INT TERM
for node in ordvane1 ordvane2; do
    mkdir -p "$work/spool/$node"
    unshare --pid --fork --kill-child=TERM --mount-proc --uts sh -c 'hostname "$1" && exec slurmd -D -f "$2" -N "$1"' \
        slurmd "$node" "$SLURM_CONF" >"$work/slurmd-$node.out" 2>&1 &
    node_pids="$node_pids $!"
done
for _ in $(seq 60); do
    [ "$(sinfo -h -N -o %t 2>/dev/null | grep -c idle)" -eq 2 ] && break
    sleep 1
done
[ "$(sinfo -h -N -o %t | grep -c idle)" -eq 2 ] \
    || { echo "the two nodes did not come up"; sinfo -N; cat "$work"/*.log "$work"/*.out; exit 1; }

# Twelve PDFs and one of 10,000 pages first in the list, so that its task writes for seconds
# while the others' tasks start theirs in the same folder; an array of four tasks.
"$make_corpus" "$work/pdfs" 12 2 >/dev/null
"$make_corpus" "$work/large" 1 10000 >/dev/null
mv "$work/large/corpus_001.pdf" "$work/pdfs/large.pdf"
{ echo "$work/pdfs/large.pdf"; ls "$work"/pdfs/corpus_*.pdf; } >"$work/list"
mkdir -p "$work/text" "$work/results"
sbatch --wait --array=0-3 --cpus-per-task=1 --chdir="$work" --output="$work/task-%a-%N.out" \
    --export=ALL,ORDVANE_LIST="$work/list",ORDVANE_RESULTS="$work/results",ORDVANE_BATCH="$bin/ordvane-batch" \
    "$source/contrib/slurm/ordvane-array.sbatch" --target-dir "$work/text" --existing rename >/dev/null \
    || { echo "the array job failed"; cat "$work"/task-*.out "$work"/slurmd-*.log; exit 1; }

lines=$(cat "$work"/results/shard-*.jsonl | wc -l)
converted=$(cat "$work"/results/shard-*.jsonl | grep -c '"state":"Converted"')
sources=$(cat "$work"/results/shard-*.jsonl | sed 's/.*"source":"\([^"]*\)".*/\1/' | sort -u | wc -l)
nodes=$(ls "$work" | sed -n 's/^task-[0-9]*-\(.*\)\.out$/\1/p' | sort -u | wc -l)
echo "tasks: $(ls "$work"/results/shard-*.jsonl | wc -l) on $nodes nodes, lines: $lines, converted: $converted, sources: $sources"
[ "$nodes" -eq 2 ] || { echo "the tasks did not run on both nodes"; ls "$work"; exit 1; }
[ "$lines" -eq 13 ] && [ "$converted" -eq 13 ] && [ "$sources" -eq 13 ] \
    || { echo "not every file was converted exactly once"; cat "$work"/results/shard-*.jsonl; exit 1; }

# One task submitted again alone, as the README says, takes the same shard as the first time:
# task 2 (whose array now counts one task) and task 0, each with the same files, now skipped;
# the other shards' results stay as they were.
for again in 2 0; do
    sed 's/.*"source":"\([^"]*\)".*/\1/' "$work/results/shard-$again.jsonl" | sort >"$work/before-$again"
    cp "$work/results/shard-1.jsonl" "$work/shard-1.before"
    sbatch --wait --array=$again --cpus-per-task=1 --chdir="$work" --output="$work/again-%a-%N.out" \
        --export=ALL,ORDVANE_LIST="$work/list",ORDVANE_RESULTS="$work/results",ORDVANE_BATCH="$bin/ordvane-batch" \
        "$source/contrib/slurm/ordvane-array.sbatch" --target-dir "$work/text" --existing skip >/dev/null \
        || { echo "task $again submitted again failed"; cat "$work"/again-*.out; exit 1; }
    sed 's/.*"source":"\([^"]*\)".*/\1/' "$work/results/shard-$again.jsonl" | sort | cmp -s - "$work/before-$again" \
        || { echo "task $again took another part of the list"; cat "$work/results/shard-$again.jsonl"; exit 1; }
    [ "$(grep -c '"state":"Skipped"' "$work/results/shard-$again.jsonl")" -eq "$(wc -l <"$work/before-$again")" ] \
        || { echo "task $again converted again what was there"; exit 1; }
    cmp -s "$work/results/shard-1.jsonl" "$work/shard-1.before" || { echo "another shard's results changed"; exit 1; }
done
ls "$work/results" | grep -q part && { echo "a temporary result file was left"; ls "$work/results"; exit 1; }

# The same list in one process: every text byte for byte the same, nothing else in the folder.
mkdir "$work/single"
"$bin/ordvane-batch" --no-log --target-dir "$work/single" --files-from "$work/list" >/dev/null
diff -r "$work/single" "$work/text" || { echo "the cluster's texts differ from one process's"; ls -A "$work/text"; exit 1; }
echo "1 passed, 0 failed"
