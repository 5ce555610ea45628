#pragma once

#include <string>

// Writes the 16:9 title card shown while the scene loads: root/res/loading.jpg.
void writeLoadingCard(const std::string& root, int width, int height);
