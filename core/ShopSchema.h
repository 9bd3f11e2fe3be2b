#pragma once

// The text of support/schema.sql: the shop's tables and what the program adds of its own.
// The program never makes a file from it; it reads in it what an older file lacks.
const char* ShopSchemaSql();
