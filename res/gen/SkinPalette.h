#pragma once
// The skin's colours. One navy and steel family: navy chrome and buttons, light steel panels with
// slate and navy text, cyan for hover and highlights.

#include <QColor>

namespace pal {

// Navy chrome of the main window, frame headers, pads and popups.
constexpr QRgb Chrome = qRgb(0x1B, 0x27, 0x40);
constexpr QRgb ChromeHigh = qRgb(0x2A, 0x3B, 0x5E);
constexpr QRgb ChromeLow = qRgb(0x13, 0x1C, 0x2F);
constexpr QRgb ChromeEdge = qRgb(0x0A, 0x10, 0x1C);
constexpr QRgb ChromeLine = qRgb(0x33, 0x47, 0x6E);
constexpr QRgb Disc = qRgb(0x24, 0x33, 0x52);
constexpr QRgb Video = qRgb(0x07, 0x0B, 0x14);

// Digit panels.
constexpr QRgb Lcd = qRgb(0x0B, 0x14, 0x24);
constexpr QRgb LcdEdge = qRgb(0x2A, 0x3B, 0x5E);
constexpr QRgb LcdDigit = qRgb(0x62, 0xEB, 0xF1);
constexpr QRgb LcdGhost = qRgb(0x14, 0x22, 0x37);

// Light steel panels.
constexpr QRgb Steel0 = qRgb(0xF3, 0xF6, 0xFA);
constexpr QRgb Steel1 = qRgb(0xE7, 0xEC, 0xF3);
constexpr QRgb Steel2 = qRgb(0xD6, 0xDE, 0xE9);
constexpr QRgb Steel3 = qRgb(0xBC, 0xC8, 0xD8);
constexpr QRgb Steel4 = qRgb(0x91, 0xA1, 0xB8);
constexpr QRgb Steel5 = qRgb(0x6E, 0x80, 0x9B);
constexpr QRgb RowTint = qRgb(0xE9, 0xEE, 0xF5);

// Text colours of the system (as the windows draw them; listed here so the art matches them).
constexpr QRgb SlateText = qRgb(0x5A, 0x5A, 0x78);
constexpr QRgb NavyText = qRgb(0x3C, 0x3C, 0x78);
constexpr QRgb Cyan = qRgb(0x00, 0xD2, 0xE6);
constexpr QRgb LightCyan = qRgb(0x62, 0xEB, 0xF1);
constexpr QRgb PaleText = qRgb(0xD8, 0xF1, 0xFB);

// Navy buttons.
constexpr QRgb ButtonTop = qRgb(0x36, 0x4D, 0x7A);
constexpr QRgb ButtonBottom = qRgb(0x22, 0x32, 0x55);
constexpr QRgb ButtonEdge = qRgb(0x14, 0x1F, 0x36);
constexpr QRgb ButtonShine = qRgb(0x52, 0x6B, 0x9B);
constexpr QRgb HoverTop = qRgb(0x45, 0x60, 0x94);
constexpr QRgb HoverBottom = qRgb(0x2E, 0x43, 0x6C);
constexpr QRgb HoverEdge = qRgb(0x4F, 0xB8, 0xD0);
constexpr QRgb PressTop = qRgb(0x16, 0x22, 0x3B);
constexpr QRgb PressBottom = qRgb(0x1C, 0x2B, 0x49);
constexpr QRgb OnTop = qRgb(0x22, 0x8D, 0xCB);
constexpr QRgb OnBottom = qRgb(0x15, 0x63, 0x98);
constexpr QRgb OnEdge = qRgb(0x0B, 0x3C, 0x60);
constexpr QRgb OnShine = qRgb(0x6C, 0xCB, 0xF2);
constexpr QRgb OffTop = qRgb(0x62, 0x6D, 0x82);
constexpr QRgb OffBottom = qRgb(0x55, 0x5F, 0x73);
constexpr QRgb OffEdge = qRgb(0x44, 0x4D, 0x5E);
constexpr QRgb SecondTop = qRgb(0x57, 0x77, 0xA6);
constexpr QRgb SecondBottom = qRgb(0x41, 0x5E, 0x8A);

// Pictures on buttons.
constexpr QRgb Ink = qRgb(0xD6, 0xE1, 0xEF);
constexpr QRgb InkBright = qRgb(0xFF, 0xFF, 0xFF);
constexpr QRgb InkOff = qRgb(0x55, 0x63, 0x7C);
constexpr QRgb InkAlt = qRgb(0xF2, 0xA9, 0x1F);

// Signal colours.
constexpr QRgb Green = qRgb(0x61, 0xB8, 0x0D);
constexpr QRgb GreenLamp = qRgb(0x5C, 0xE0, 0x4A);
constexpr QRgb Red = qRgb(0xE5, 0x3E, 0x3E);
constexpr QRgb Amber = qRgb(0xF2, 0xA9, 0x1F);
constexpr QRgb Blue = qRgb(0x00, 0xAE, 0xEF);

// Colour keys: the main window cuts its outline where its corners hold RegionKey; layered windows
// are see-through where they hold Transparent.
constexpr QRgb RegionKey = qRgb(0x32, 0x64, 0xAA);
constexpr QRgb Transparent = qRgb(0xFF, 0x00, 0xFF);

} // namespace pal
