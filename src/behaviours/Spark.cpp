#include "behaviours/Spark.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

Spark::Spark() : VelocityWorm(WormTypeSpark) {
    m_dVX = -0.002 + RandUnit() * 0.004;
}

bool Spark::Update(Worm**, int) {
    m_dVY = (m_dVY - 0.00002) * 0.9999;
    return MoveStep();
}
