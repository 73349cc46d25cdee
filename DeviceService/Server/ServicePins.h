// Pins every interface the service exports (see CInterfacePins), each with an object made
// for that purpose only: it views no keypad item and no client ever reaches it.
#pragma once

#include "CInterfacePins.h"

HRESULT PinServiceInterfaces(CInterfacePins& pins);
