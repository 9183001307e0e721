#include "SmtpServer.h"
