# Sourced by the package scripts: the build time of every release file is
# the commit's time (SOURCE_DATE_EPOCH, which CPack, help2man and the zip
# take), unless the caller gave one; times are written in UTC.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH TZ=UTC
