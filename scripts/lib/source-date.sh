# Sourced by the package scripts: the build time of every release file is
# the commit's time (SOURCE_DATE_EPOCH, which CPack, help2man, Qt's rcc and
# the zip take; QT_RCC_SOURCE_DATE_OVERRIDE for an rcc that knows only that),
# unless the caller gave one; times are written in UTC.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH QT_RCC_SOURCE_DATE_OVERRIDE="$SOURCE_DATE_EPOCH" TZ=UTC
