#include "nastran/bulk_data_writer.h"

void WriteElementCards() {}
