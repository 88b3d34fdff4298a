// What the layers above the transport share with it: the last error, the send-command entry
// point and the transport-ready flag.
#pragma once

#include <windows.h>

#include <cstdint>

namespace drive {

void SetCDLayerError(int code);
// kLayerSuccess for status 1; any other status is kept with last error -4 and gives kLayerFailure.
int RequestResult(std::uint8_t status);

// Hands a request to the send-command entry point. With none in place the request is answered
// as the substitute entry point answers it, so a stopped layer never calls through null.
DWORD SendAspiRequest(void* request);
bool HasSendCommandEntry();
void SetTransportReady(int ready);

}  // namespace drive
