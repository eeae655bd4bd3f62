# Shared by Pictorra's end-to-end scripts (sourced): failure counting, a private home, and
# little-endian 32-bit fields as the configuration file holds them.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# le32 N...: each number as four little-endian bytes on standard output.
le32() {
    local v
    for v in "$@"; do
        v=$((v & 0xFFFFFFFF))
        printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $(((v >> 8) & 255)))\\x$(printf %02x $(((v >> 16) & 255)))\\x$(printf %02x $(((v >> 24) & 255)))"
    done
}

# privatehome DIR: a home, registry and single-instance mutex of this run's own under DIR, so that
# runs beside it (other tests, a Pictorra the user runs) neither block nor switch anything for it.
privatehome() {
    export HOME=$1/home XDG_DATA_HOME=$1/home/data XDG_CONFIG_HOME=$1/home/config TROVA_MUTEX_DIR=$1/mutex
    unset XDG_RUNTIME_DIR
    mkdir -p "$HOME" "$TROVA_MUTEX_DIR"
}
