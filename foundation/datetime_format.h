#pragma once

#include "foundation/datetime.h"

#include <QByteArray>

// A date-time written by a date picture and a time picture, the date part
// directly followed by the time part. Pictures use "yyyy", "MM", "dd" (date)
// and "hh", "mm", "ss" (time); every other character, "/", ":" and the
// blank among them, is copied. "hh" gives
// 00..23 with force24Hour and 01..12 without it. An empty picture gives an
// empty part; a part longer than 49 bytes, or a date before 1601, gives an
// empty part; a date-time outside MinDateTime..MaxDateTime gives empty text.
QByteArray formatDateTime(DateTime value, const QByteArray &datePicture = {},
                          const QByteArray &timePicture = {}, bool force24Hour = false);

// The stored start-time form 'yyyy/MM/dd hh:mm:ss', 24-hour clock.
QByteArray startTimeText(DateTime value);
