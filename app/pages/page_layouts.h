#pragma once

#include <span>

class QWidget;

namespace vardex {

class PageControls;

// Puts one page's controls, taken from `controls` by their keys, and its
// labels and buttons on `page`.
using PageLayout = void (*)(QWidget* page, PageControls& controls);

// Lays out, under what the page's layout put there, the controls of the rows
// it did not take; run after the page's layout.
void PlaceOtherFields(PageControls& controls);

// One layout per page table, in the same order.
std::span<const PageLayout> PageLayouts();

void BuildRadioPage(QWidget* page, PageControls& controls);
// The master switch, the duplicate checking time and eight New-N path rows.
void BuildDigipeaterPage(QWidget* page, PageControls& controls);
// Eight rows of a report block and a message, and the "Special strings"
// button (`Button11`) above the message column.
void BuildBeaconsPage(QWidget* page, PageControls& controls);
// Address, mask, gateway and DNS, four octet boxes each.
void BuildNetworkPage(QWidget* page, PageControls& controls);
void BuildAprsIsPage(QWidget* page, PageControls& controls);
void BuildWeatherPage(QWidget* page, PageControls& controls);
// The clock set values, the PC-time option and the NTP server.
void BuildClockPage(QWidget* page, PageControls& controls);
// "WWW access" and "Telnet access": user, password and port each.
void BuildAccessPage(QWidget* page, PageControls& controls);
// The module switch, the five analog channels with their "Default
// parameters" buttons, and the two telemetry report-block rows.
void BuildTelemetryPage(QWidget* page, PageControls& controls);

}  // namespace vardex
