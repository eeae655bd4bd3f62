# Shared by Pictorra's end-to-end scripts (sourced): failure counting, and little-endian 32-bit
# fields as the configuration file holds them.
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
