#pragma once
// As process 1 of a PID namespace (a container started without an init), a process receives
// every orphan of the namespace, a killed helper's child among them, and must wait for them or
// they stay zombies. Call first thing in main(), before any thread starts: as process 1 it
// forks; the parent stays process 1, reaps every orphan, passes end and job-control signals on
// to the program, and ends as the program ends, with its status. Returns in the program's
// process (or at once when this is not process 1, or when the fork fails).
void ReapOrphansAsProcessOne();
