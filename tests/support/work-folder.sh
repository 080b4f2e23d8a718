# Sourced by the shell tests: a temporary work folder, removed at the end together with the
# background processes whose ids the test adds to $pids.
work=$(mktemp -d)
pids=""
finish() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    for pid in $pids; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap finish EXIT INT TERM
