#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "config_settings.h"
#include "field_values.h"
#include "image_field.h"

namespace vardex {

// A stretch of bytes that holds no field and stays 0 in a built image.
struct ReservedBytes {
  std::size_t offset;
  std::size_t width;
};

// "path[3].name": the key of `field` in record `number` (counted from 1, as
// the window counts); "path[3]" without a field.
std::string RecordKey(std::string_view record, int number, std::string_view field = {});

// The key that a report block's field keys start with: "beacon[3]",
// "weather.report", "telemetryData", "telemetryParameters".
std::string ReportBlockKey(ReportBlockInstance instance);
// The report block `instance` inside the settings.
ReportBlockSettings& ReportBlockOf(ConfigSettings& settings, ReportBlockInstance instance);
const ReportBlockSettings& ReportBlockOf(const ConfigSettings& settings,
                                         ReportBlockInstance instance);

// Every field of the image, section by section in the order "Write config"
// checks them.
std::span<const ImageField> ImageFields();
// The field whose setting `member` is (a place inside `settings`, as a
// failed step names it); null when no field holds it.
const ImageField* FieldHolding(const ConfigSettings& settings, const void* member);
// The fields of one section, in the same order.
std::span<const ImageField> SectionFields(ImageSection section);
// The eight fields of one report block.
std::span<const ImageField> ReportBlockFields(ReportBlockInstance instance);
// The field called `key`; null when there is none.
const ImageField* FindField(std::string_view key);
// The field that holds the image byte at `offset`; null for the checksum,
// a reserved byte or a byte beyond the fields.
const ImageField* FieldAtOffset(std::size_t offset);
std::span<const ReservedBytes> ReservedImageBytes();

// A field's setting as a value: the part its kind uses is set, the others
// stay as constructed, so two values of one field compare with ==.
FieldValue ValueOf(const ImageField& field, const ConfigSettings& settings);
void SetValue(const ImageField& field, ConfigSettings& settings, const FieldValue& value);

}  // namespace vardex
