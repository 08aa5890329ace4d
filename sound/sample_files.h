#pragma once
// The sample files the sound output loads: zn_ui's list, which the page fetches too.
#include "ui/samplefiles.h"
