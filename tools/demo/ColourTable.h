#pragma once

#include <QByteArray>

/// The 64-entry master colour table as 192 bytes of red, green and blue, computed by
/// decoding a model of the console's composite video signal (see ColourTable.cpp).
QByteArray MakeColourTable();
