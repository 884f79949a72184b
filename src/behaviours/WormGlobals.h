#pragma once

#include "settings/Preset.h"
#include "settings/Settings.h"
#include "support/Random.h"

class Worm;

// Published by the most recently built field engine; read by every behaviour.
extern int g_nFieldWidth;
extern int g_nFieldHeight;
extern Settings* g_pSettings;

// Worms alive per behaviour index 0..16.
extern int g_anLiveWorms[17];

// Degrees to radians, to the precision the motion is defined with.
constexpr double DegToRad = 0.01745329252;

// The preset the behaviours read their rules from.
Preset& CurrentWormPreset();

// Start column / row: the centre with StartInCenter (or on a field too narrow for the random
// band), otherwise random, 25 cells clear of either border.
int InitialX();
int InitialY();

// Brings a heading into [0, 360]; exactly 360 stays 360.
double NormaliseHeading(double heading);

// Chooses a target index, walking cyclically from a random start: the first worm not of
// excludeType whose cell is off both axes. Leaves index unchanged and returns false if none.
bool PickTarget(Worm** worms, int count, int& index, int excludeType);

// Whether the target (dx, dy from the worm, in units) lies on the side an increasing heading
// turns toward, for a heading with the given sine and cosine.
bool TargetOnIncreasingSide(double sinH, double cosH, double dx, double dy);
