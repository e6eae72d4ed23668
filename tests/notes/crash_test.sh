#!/usr/bin/env bash
# Writes notes while the writer is killed with SIGKILL at random moments, then
# checks that the settings file still parses and holds every note whose write
# had returned (the writer prints a note's key only after that).
#
#   crash_test.sh NOTES_WRITER [ROUNDS]
set -u

writer=${1:?usage: crash_test.sh NOTES_WRITER [ROUNDS]}
rounds=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/Noctiva.ini
killed=0

for ((gen = 1; gen <= rounds; gen++)); do
    "$writer" "$file" "$gen" 300 >"$work/keys" 2>"$work/err" &
    pid=$!
    sleep "$(printf '0.%03d' $((RANDOM % 400 + 20)))"
    if kill -KILL "$pid" 2>/dev/null; then
        killed=$((killed + 1))
    fi
    wait "$pid" 2>/dev/null
    status=$?
    if [[ $status -ne 0 && $status -ne 137 ]]; then
        echo "round $gen: the writer failed ($status):" >&2
        cat "$work/err" >&2
        exit 1
    fi
    # Only whole lines: a key is printed after its write returned.
    mapfile -t keys < <(grep -E '^[0-9]{2}\.[0-9]{2}\.[0-9]{4}$' "$work/keys")
    if ! result=$("$writer" --verify "$file" "$gen" "${keys[@]}"); then
        echo "round $gen: verification failed after ${#keys[@]} returned writes" >&2
        exit 1
    fi
    echo "round $gen: ${#keys[@]} writes returned; $result"
done

# A killed writer must not stall the next one: an undisturbed writer now
# finishes all its notes promptly, and all of them are there.
gen=$((rounds + 1))
if ! timeout 20 "$writer" "$file" "$gen" 300 >"$work/keys" 2>"$work/err"; then
    echo "the writer after the crashes did not finish:" >&2
    cat "$work/err" >&2
    exit 1
fi
mapfile -t keys <"$work/keys"
if [[ ${#keys[@]} -ne 300 ]] || ! "$writer" --verify "$file" "$gen" "${keys[@]}"; then
    echo "the writer after the crashes lost notes" >&2
    exit 1
fi
echo "$rounds rounds, $killed writers killed, then 300 notes written undisturbed"
