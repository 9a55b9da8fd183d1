// The theme layer for the program's life: the three themes registered, the
// nexus made with "Default" current; torn down in the reverse order once
// every themed control is gone.
#pragma once

class TThemeLayerScope {
public:
  TThemeLayerScope();
  ~TThemeLayerScope();
  TThemeLayerScope(const TThemeLayerScope&) = delete;
  TThemeLayerScope& operator=(const TThemeLayerScope&) = delete;
};
