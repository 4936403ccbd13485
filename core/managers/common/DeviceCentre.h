#pragma once

class OvManageCenter;

// The centre the process-wide list managers send through. Start-up sets it
// once, right after creating the centre and before any list manager is used;
// a list manager without a centre answers every request with -1.
void setDeviceCentre(OvManageCenter *centre);
OvManageCenter *deviceCentre();
